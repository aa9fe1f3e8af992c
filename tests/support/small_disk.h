// A real, nearly full disk for one test: a small tmpfs mounted on a fresh
// folder, unmounted again when the object goes. Only root on Linux may mount
// one; elsewhere `mounted()` is false and `reason()` says why, for the test's
// skip message.
#pragma once

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#ifdef __linux__
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace velmora::test {

class SmallDisk {
public:
#ifdef __linux__
    explicit SmallDisk(size_t bytes)
    {
        std::string folder = (std::filesystem::temp_directory_path() / "velmora-disk-XXXXXX").string();
        if (!::mkdtemp(folder.data())) {
            reason_ = std::string("cannot make a mount point: ") + std::strerror(errno);
            return;
        }
        path_ = folder;
        const std::string options = "size=" + std::to_string(bytes) + ",mode=0700";
        if (::mount("tmpfs", path_.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            reason_ = std::string("cannot mount a small tmpfs (running as root is needed): ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
    }
    ~SmallDisk()
    {
        if (mounted_)
            ::umount2(path_.c_str(), MNT_DETACH);
        if (!path_.empty())
            ::rmdir(path_.c_str());
    }
#else
    explicit SmallDisk(size_t) : reason_("a small disk is a tmpfs that only root on Linux can mount") {}
#endif
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& reason() const { return reason_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    // Takes every byte still free with one file, then gives back about
    // `leave` bytes (the disk counts in pages of 4 KiB: between `leave` and
    // `leave` + 4095 are free then). False when it could not.
    bool fill(size_t leave = 0) const
    {
        std::FILE* out = std::fopen(file("filler").c_str(), "wb");
        if (!out)
            return false;
        std::setvbuf(out, nullptr, _IONBF, 0);
        const std::vector<char> block(512, 'f');
        while (std::fwrite(block.data(), 1, block.size(), out) == block.size()) {
        }
        // Whatever is left is smaller than a block: byte by byte.
        while (std::fputc('f', out) != EOF) {
        }
        const bool full = errno == ENOSPC;
        std::fclose(out);
        if (!full || leave == 0)
            return full;
        std::error_code ec;
        const std::uintmax_t size = std::filesystem::file_size(file("filler"), ec);
        if (ec || size < leave)
            return false;
        std::filesystem::resize_file(file("filler"), size - leave, ec);
        return !ec;
    }

private:
    std::string path_;
    std::string reason_;
    bool mounted_ = false;
};

}  // namespace velmora::test
