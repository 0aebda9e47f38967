// The container is written by hand rather than through libzip or
// libxlsxwriter's own packer: both deflate with zlib at its default level,
// which took over half the time of writing a large plant's workbook.
// libdeflate's fastest level deflates some twelve times as fast for a file
// a tenth larger, and the parts are made and deflated two at a time.
//
// The format is the plain zip of ISO/IEC 21320-1 as XLSX files use it: one
// local header and the deflated bytes per part, then the central directory.
// No part or file may reach 4 GiB (there is no zip64 here).
#include "zip_writer.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>

#include <libdeflate.h>

#include "fileio/atomic_file.h"
#include "sheets/workbook.h"
#include "two_threads.h"

namespace qxhost::sheets {

namespace {

constexpr int fastest_level = 1;
// 1980-01-01 00:00, the earliest date the format holds: the same file for
// the same workbook.
constexpr std::uint16_t dos_time = 0;
constexpr std::uint16_t dos_date = (0 << 9) | (1 << 5) | 1;

struct Deflated {
    std::string bytes;
    std::uint32_t crc = 0;
    std::uint64_t size = 0;  // before deflating
};

Deflated deflated(const std::string& bytes)
{
    std::unique_ptr<libdeflate_compressor, decltype(&libdeflate_free_compressor)> deflater(
        libdeflate_alloc_compressor(fastest_level), &libdeflate_free_compressor);
    if (!deflater) throw std::bad_alloc();
    Deflated out;
    out.size = bytes.size();
    out.crc = libdeflate_crc32(0, bytes.data(), bytes.size());
    out.bytes.resize(libdeflate_deflate_compress_bound(deflater.get(), bytes.size()));
    out.bytes.resize(
        libdeflate_deflate_compress(deflater.get(), bytes.data(), bytes.size(), out.bytes.data(), out.bytes.size()));
    return out;
}

void put16(std::string& out, std::uint32_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}
void put32(std::string& out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// The fields a part's local header and its directory entry share, from
// "version needed" to "extra field length".
void put_common(std::string& out, const std::string& name, const Deflated& part)
{
    put16(out, 20);  // version needed: deflate
    put16(out, 0);   // flags
    put16(out, 8);   // method: deflate
    put16(out, dos_time);
    put16(out, dos_date);
    put32(out, part.crc);
    put32(out, static_cast<std::uint32_t>(part.bytes.size()));
    put32(out, static_cast<std::uint32_t>(part.size));
    put16(out, static_cast<std::uint32_t>(name.size()));
    put16(out, 0);  // extra field length
}

std::string container(const std::vector<ZipPart>& parts, const std::vector<Deflated>& deflated_parts,
                      const std::filesystem::path& path)
{
    constexpr std::uint64_t limit = std::numeric_limits<std::uint32_t>::max();
    std::string out;
    std::string directory;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const Deflated& part = deflated_parts[i];
        if (part.size >= limit || out.size() + part.bytes.size() >= limit)
            throw WorkbookError(path.string() + ": cannot write it: a workbook of 4 GiB or more");
        const auto offset = static_cast<std::uint32_t>(out.size());
        put32(out, 0x04034B50);
        put_common(out, parts[i].name, part);
        out += parts[i].name;
        out += part.bytes;
        put32(directory, 0x02014B50);
        put16(directory, 20);  // made by: version 2.0, MS-DOS attributes
        put_common(directory, parts[i].name, part);
        put16(directory, 0);  // comment length
        put16(directory, 0);  // disk number
        put16(directory, 0);  // internal attributes
        put32(directory, 0);  // external attributes
        put32(directory, offset);
        directory += parts[i].name;
    }
    if (out.size() + directory.size() >= limit)
        throw WorkbookError(path.string() + ": cannot write it: a workbook of 4 GiB or more");
    const auto directory_offset = static_cast<std::uint32_t>(out.size());
    out += directory;
    put32(out, 0x06054B50);
    put16(out, 0);  // this disk
    put16(out, 0);  // the directory's disk
    put16(out, static_cast<std::uint32_t>(parts.size()));
    put16(out, static_cast<std::uint32_t>(parts.size()));
    put32(out, static_cast<std::uint32_t>(directory.size()));
    put32(out, directory_offset);
    put16(out, 0);  // comment length
    return out;
}

}  // namespace

void write_zip(const std::filesystem::path& path, const std::vector<ZipPart>& parts)
{
    if (parts.size() >= 0xFFFF) throw WorkbookError(path.string() + ": cannot write it: too many parts");
    std::vector<std::size_t> weights;
    for (const ZipPart& part : parts) weights.push_back(part.weight);
    std::vector<Deflated> deflated_parts(parts.size());
    on_two_threads(weights, [&](std::size_t i) { deflated_parts[i] = deflated(parts[i].bytes()); });
    const std::string file = container(parts, deflated_parts, path);
    try {
        write_file_atomically(path, file);
    } catch (const FileWriteError& error) {
        throw WorkbookError(error.what());
    }
}

}  // namespace qxhost::sheets
