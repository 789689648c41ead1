#include "ziplibrary.h"

namespace SRCore {

const ZipLibrary &ZipLibrary::shared()
{
    static const ZipLibrary library(QStringLiteral("zip"), 4);
    return library;
}

ZipLibrary::ZipLibrary(const QString &name, int majorVersion)
    : SystemLibrary(name, majorVersion)
{
    resolve("zip_close", &close);
    resolve("zip_compression_method_supported", &compression_method_supported);
    resolve("zip_delete", &delete_);
    resolve("zip_dir_add", &dir_add);
    resolve("zip_discard", &discard);
    resolve("zip_encryption_method_supported", &encryption_method_supported);
    resolve("zip_error_code_zip", &error_code_zip);
    resolve("zip_error_fini", &error_fini);
    resolve("zip_error_init", &error_init);
    resolve("zip_error_strerror", &error_strerror);
    resolve("zip_fclose", &fclose);
    resolve("zip_file_add", &file_add);
    resolve("zip_file_extra_field_get_by_id", &file_extra_field_get_by_id);
    resolve("zip_file_extra_field_set", &file_extra_field_set);
    resolve("zip_file_get_error", &file_get_error);
    resolve("zip_file_get_external_attributes", &file_get_external_attributes);
    resolve("zip_file_set_encryption", &file_set_encryption);
    resolve("zip_file_set_mtime", &file_set_mtime);
    resolve("zip_fopen_index_encrypted", &fopen_index_encrypted);
    resolve("zip_fread", &fread);
    resolve("zip_get_error", &get_error);
    resolve("zip_get_name", &get_name);
    resolve("zip_get_num_entries", &get_num_entries);
    resolve("zip_name_locate", &name_locate);
    resolve("zip_open_from_source", &open_from_source);
    resolve("zip_set_file_compression", &set_file_compression);
    resolve("zip_source_file", &source_file);
    resolve("zip_source_file_create", &source_file_create);
    resolve("zip_source_free", &source_free);
    resolve("zip_stat_index", &stat_index);
    resolve("zip_strerror", &strerror);
}

} // namespace SRCore
