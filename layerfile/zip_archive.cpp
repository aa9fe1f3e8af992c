#include "layerfile/zip_archive.h"

#include <zip.h>

#include <cstring>
#include <memory>

namespace velmora {

namespace {

std::string ErrorText(zip_error_t* error)
{
    const std::string text = zip_error_strerror(error);
    zip_error_fini(error);
    return text;
}

}  // namespace

ZipReader::ZipReader(std::span<const uint8_t> bytes, size_t maxEntries)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (!source)
        throw LayeredFileError("the zip archive cannot be read: " + ErrorText(&error));
    archive_ = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive_) {
        zip_source_free(source);
        throw LayeredFileError("not a whole zip archive (" + ErrorText(&error) + ")");
    }
    zip_error_fini(&error);
    const zip_int64_t count = zip_get_num_entries(archive_, 0);
    if (count < 0 || uint64_t(count) > maxEntries) {
        zip_discard(archive_);
        archive_ = nullptr;
        throw LayeredFileError("the archive holds " + std::to_string(count) + " entries, more than the " +
                               std::to_string(maxEntries) + " a layered picture may have");
    }
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive_, zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME) ||
            !(st.valid & ZIP_STAT_SIZE)) {
            zip_discard(archive_);
            archive_ = nullptr;
            throw LayeredFileError("entry " + std::to_string(i + 1) + " of the archive cannot be read");
        }
        entries_.push_back({OneLine(st.name), st.size, (st.valid & ZIP_STAT_COMP_METHOD) && st.comp_method == ZIP_CM_STORE});
    }
}

ZipReader::~ZipReader()
{
    if (archive_)
        zip_discard(archive_);
}

int ZipReader::find(const std::string& name) const
{
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].name == name)
            return int(i);
    return -1;
}

std::vector<uint8_t> ZipReader::read(int index, uint64_t limit)
{
    const ZipEntry& entry = entries_.at(size_t(index));
    if (entry.size > limit || entry.size > budget_)
        throw LayeredFileError(entry.name + " inflates to " + std::to_string(entry.size) + " bytes, more than the " +
                               std::to_string(std::min(limit, budget_)) + " allowed");
    budget_ -= entry.size;
    std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file(zip_fopen_index(archive_, zip_uint64_t(index), 0),
                                                          zip_fclose);
    if (!file)
        throw LayeredFileError(entry.name + " cannot be read: " + zip_strerror(archive_));
    std::vector<uint8_t> bytes(size_t(entry.size));
    zip_uint64_t got = 0;
    while (got < entry.size) {
        const zip_int64_t n = zip_fread(file.get(), bytes.data() + got, entry.size - got);
        if (n < 0)
            throw LayeredFileError(entry.name + " is damaged: " + zip_file_strerror(file.get()));
        if (n == 0)
            throw LayeredFileError(entry.name + " is cut short");
        got += zip_uint64_t(n);
    }
    // An entry that inflates past what it claims is a bomb or damaged.
    uint8_t more;
    const zip_int64_t extra = zip_fread(file.get(), &more, 1);
    if (extra != 0)
        throw LayeredFileError(entry.name + (extra > 0 ? " inflates to more than the " + std::to_string(entry.size) +
                                                             " bytes it claims"
                                                       : " is damaged: " + std::string(zip_file_strerror(file.get()))));
    return bytes;
}

std::vector<uint8_t> WriteZip(const std::vector<ZipMember>& members)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!target)
        throw std::runtime_error("libzip: " + ErrorText(&error));
    zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, &error);
    if (!archive) {
        zip_source_free(target);
        throw std::runtime_error("libzip: " + ErrorText(&error));
    }
    zip_error_fini(&error);
    // The archive's bytes stay in `target` after the close.
    zip_source_keep(target);
    const auto fail = [&](const std::string& what) {
        const std::string text = what + ": " + zip_strerror(archive);
        zip_discard(archive);
        zip_source_free(target);
        throw std::runtime_error("libzip: " + text);
    };
    for (const ZipMember& m : members) {
        zip_source_t* data = zip_source_buffer(archive, m.bytes.data(), m.bytes.size(), 0);
        if (!data)
            fail(m.name);
        const zip_int64_t at = zip_file_add(archive, m.name.c_str(), data, ZIP_FL_ENC_UTF_8);
        if (at < 0) {
            zip_source_free(data);
            fail(m.name);
        }
        if (zip_set_file_compression(archive, zip_uint64_t(at), m.store ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0) != 0)
            fail(m.name);
        // No times: the same room gives the same bytes.
        zip_file_set_mtime(archive, zip_uint64_t(at), 946684800, 0);
    }
    if (zip_close(archive) != 0)
        fail("closing the archive");
    std::vector<uint8_t> out;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(target, &st) == 0 && zip_source_open(target) == 0) {
        out.resize(size_t(st.size));
        const zip_int64_t n = zip_source_read(target, out.data(), st.size);
        zip_source_close(target);
        if (n != zip_int64_t(st.size))
            out.clear();
    }
    zip_source_free(target);
    if (out.empty())
        throw std::runtime_error("libzip: the archive could not be taken out of memory");
    return out;
}

}  // namespace velmora
