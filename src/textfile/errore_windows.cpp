#include "textfile/errore_windows.h"

#ifdef _WIN32
#include <cerrno>

namespace scenario {

std::error_code errore_windows(DWORD codice) {
    switch (codice) {
        case ERROR_ACCESS_DENIED:
            return {EACCES, std::generic_category()};
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return {ENOENT, std::generic_category()};
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return {ENOSPC, std::generic_category()};
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return {EEXIST, std::generic_category()};
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return {EBUSY, std::generic_category()};
        default:
            return {static_cast<int>(codice), std::system_category()};
    }
}

}  // namespace scenario
#endif
