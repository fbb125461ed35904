#include "tool/uscita_standard.h"

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>

namespace scenario::strumento {

namespace {

#ifdef _WIN32
// The C library's descriptors of Windows: the same calls behind an underscore, counts in
// unsigned int. A descriptor that is not open has no system handle behind it.
bool chiuso(int descrittore) { return _get_osfhandle(descrittore) == -1; }
long scrivi_byte(int descrittore, const char* da, std::size_t quanti) {
    // Refused here: the C library of Windows may end the process on a descriptor that is not open.
    if (chiuso(descrittore)) {
        errno = EBADF;
        return -1;
    }
    constexpr std::size_t blocco = 1U << 30;
    return _write(descrittore, da, static_cast<unsigned>(quanti < blocco ? quanti : blocco));
}
#else
bool chiuso(int descrittore) { return ::fcntl(descrittore, F_GETFD) == -1 && errno == EBADF; }
long scrivi_byte(int descrittore, const char* da, std::size_t quanti) {
    return ::write(descrittore, da, quanti);
}
#endif

}  // namespace

buffer_descrittore::buffer_descrittore(int descrittore) : descrittore_(descrittore) {
#ifndef _WIN32
    if (chiuso(descrittore_)) {
        int segnaposto = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (segnaposto != -1 && segnaposto != descrittore_) ::close(segnaposto);
    }
#else
    // Bytes as they are: a page or a dump sent to a file must not gain a CR before each LF.
    if (!chiuso(descrittore_)) _setmode(descrittore_, _O_BINARY);
#endif
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

buffer_descrittore::~buffer_descrittore() { svuota(); }

bool buffer_descrittore::svuota() {
    const char* da = pbase();
    const char* a = pptr();
    while (causa_.empty() && da < a) {
        long scritti = scrivi_byte(descrittore_, da, static_cast<std::size_t>(a - da));
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
