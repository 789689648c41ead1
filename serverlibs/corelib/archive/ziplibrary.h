#pragma once

#include "corelib/common/systemlibrary.h"

#include <zip.h>

namespace SRCore {

// libzip, loaded when an archive is first read or written rather than with the program: libzip
// needs OpenSSL's libcrypto, and loading the two took some 2.4 ms of every start, where no
// archive is touched until a package is opened.
// The functions, named as in libzip without "zip_", may be called only when isLoaded(). The
// shared instance is safe to use from any thread once shared() has returned.
class ZipLibrary final : public SystemLibrary
{
public:
    // The system's libzip, loaded on the first call.
    static const ZipLibrary &shared();

    ZipLibrary(const QString &name, int majorVersion);

    decltype(&::zip_close) close = nullptr;
    decltype(&::zip_compression_method_supported) compression_method_supported = nullptr;
    decltype(&::zip_delete) delete_ = nullptr;
    decltype(&::zip_dir_add) dir_add = nullptr;
    decltype(&::zip_discard) discard = nullptr;
    decltype(&::zip_encryption_method_supported) encryption_method_supported = nullptr;
    decltype(&::zip_error_code_zip) error_code_zip = nullptr;
    decltype(&::zip_error_fini) error_fini = nullptr;
    decltype(&::zip_error_init) error_init = nullptr;
    decltype(&::zip_error_strerror) error_strerror = nullptr;
    decltype(&::zip_fclose) fclose = nullptr;
    decltype(&::zip_file_add) file_add = nullptr;
    decltype(&::zip_file_extra_field_get_by_id) file_extra_field_get_by_id = nullptr;
    decltype(&::zip_file_extra_field_set) file_extra_field_set = nullptr;
    decltype(&::zip_file_get_error) file_get_error = nullptr;
    decltype(&::zip_file_get_external_attributes) file_get_external_attributes = nullptr;
    decltype(&::zip_file_set_encryption) file_set_encryption = nullptr;
    decltype(&::zip_file_set_mtime) file_set_mtime = nullptr;
    decltype(&::zip_fopen_index_encrypted) fopen_index_encrypted = nullptr;
    decltype(&::zip_fread) fread = nullptr;
    decltype(&::zip_get_error) get_error = nullptr;
    decltype(&::zip_get_name) get_name = nullptr;
    decltype(&::zip_get_num_entries) get_num_entries = nullptr;
    decltype(&::zip_name_locate) name_locate = nullptr;
    decltype(&::zip_open_from_source) open_from_source = nullptr;
    decltype(&::zip_set_file_compression) set_file_compression = nullptr;
    decltype(&::zip_source_file) source_file = nullptr;
    decltype(&::zip_source_file_create) source_file_create = nullptr;
    decltype(&::zip_source_free) source_free = nullptr;
    decltype(&::zip_stat_index) stat_index = nullptr;
    decltype(&::zip_strerror) strerror = nullptr;
};

} // namespace SRCore
