#include "zip_reader.h"

#include <libdeflate.h>

#include "sheets/workbook.h"

namespace qxhost::sheets {

namespace {

// A part's bytes are refused beyond this, as a project file is: a size
// the container claims is not allocated before it is believed.
constexpr zip_uint64_t largest_part = (zip_uint64_t{1} << 31) - 1;

StoredPart stored_part(zip_t* archive, const zip_stat_t& stat, const std::filesystem::path& path)
{
    const std::string name = stat.name;
    if (stat.size > largest_part || stat.comp_size > largest_part)
        refuse(path, "its part " + name + " is larger than a workbook may be (2 GiB)");
    StoredPart part{name, {}, stat.comp_method == ZIP_CM_DEFLATE, static_cast<std::size_t>(stat.size), stat.crc,
                    (stat.valid & ZIP_STAT_CRC) != 0};
    const zip_flags_t flags = part.deflated ? ZIP_FL_COMPRESSED : 0;
    std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(zip_fopen_index(archive, stat.index, flags), &zip_fclose);
    if (!file) refuse(path, "cannot read its part " + name);
    part.bytes.resize(static_cast<std::size_t>(part.deflated ? stat.comp_size : stat.size));
    std::size_t read = 0;
    while (read < part.bytes.size()) {
        const zip_int64_t got = zip_fread(file.get(), part.bytes.data() + read, part.bytes.size() - read);
        if (got <= 0) refuse(path, "cannot read its part " + name);
        read += static_cast<std::size_t>(got);
    }
    return part;
}

}  // namespace

void refuse(const std::filesystem::path& path, const std::string& why)
{
    throw WorkbookError(path.string() + ": " + why);
}

Archive open_archive(const std::filesystem::path& path)
{
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (archive == nullptr) {
        zip_error_t why;
        zip_error_init_with_code(&why, error);
        const std::string text = zip_error_strerror(&why);
        zip_error_fini(&why);
        refuse(path, "cannot read it as a workbook: " + text);
    }
    return Archive(archive, &zip_discard);
}

std::optional<StoredPart> stored_part(zip_t* archive, const std::string& name, const std::filesystem::path& path)
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive, name.c_str(), 0, &stat) != 0) return std::nullopt;
    return stored_part(archive, stat, path);
}

std::string inflated(StoredPart part, const std::filesystem::path& path)
{
    if (!part.deflated) return std::move(part.bytes);
    std::string bytes(part.size, '\0');
    std::unique_ptr<libdeflate_decompressor, decltype(&libdeflate_free_decompressor)> inflater(
        libdeflate_alloc_decompressor(), &libdeflate_free_decompressor);
    if (!inflater) throw std::bad_alloc();
    std::size_t size = 0;
    const libdeflate_result result = libdeflate_deflate_decompress(inflater.get(), part.bytes.data(), part.bytes.size(),
                                                                  bytes.data(), bytes.size(), &size);
    if (result != LIBDEFLATE_SUCCESS || size != part.size ||
        (part.has_crc && libdeflate_crc32(0, bytes.data(), bytes.size()) != part.crc))
        refuse(path, "its part " + part.name + " is damaged");
    return bytes;
}

std::optional<std::string> part(zip_t* archive, const std::string& name, const std::filesystem::path& path)
{
    auto stored = stored_part(archive, name, path);
    if (!stored) return std::nullopt;
    return inflated(std::move(*stored), path);
}

std::vector<std::pair<std::string, std::string>> every_part(zip_t* archive, const std::filesystem::path& path)
{
    std::vector<std::pair<std::string, std::string>> parts;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat) != 0) refuse(path, "cannot read its parts");
        StoredPart stored = stored_part(archive, stat, path);
        std::string name = stored.name;
        parts.emplace_back(std::move(name), inflated(std::move(stored), path));
    }
    return parts;
}

}  // namespace qxhost::sheets
