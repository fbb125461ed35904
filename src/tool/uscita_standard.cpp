#include "tool/uscita_standard.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace scenario::strumento {

buffer_descrittore::buffer_descrittore(int descrittore) : descrittore_(descrittore) {
    if (::fcntl(descrittore_, F_GETFD) == -1 && errno == EBADF) {
        int segnaposto = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (segnaposto != -1 && segnaposto != descrittore_) ::close(segnaposto);
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

buffer_descrittore::~buffer_descrittore() { svuota(); }

bool buffer_descrittore::svuota() {
    const char* da = pbase();
    const char* a = pptr();
    while (causa_.empty() && da < a) {
        ssize_t scritti = ::write(descrittore_, da, static_cast<std::size_t>(a - da));
        if (scritti < 0 && errno == EINTR) continue;
        if (scritti <= 0) {
            causa_ = scritti < 0 ? std::strerror(errno) : "nothing written";
            break;
        }
        da += scritti;
    }
    // After a refusal the rest is dropped: the command is going to fail anyway.
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return causa_.empty();
}

buffer_descrittore::int_type buffer_descrittore::overflow(int_type c) {
    if (!svuota()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

int buffer_descrittore::sync() { return svuota() ? 0 : -1; }

}  // namespace scenario::strumento
