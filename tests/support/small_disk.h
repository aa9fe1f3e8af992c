// A real, nearly full disk for one test: a small tmpfs mounted on a fresh
// folder, unmounted again when the object goes. Only root may mount; where
// that is not allowed, `mounted()` is false and `reason()` says why, for the
// test's skip message.
#pragma once

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace velmora::test {

class SmallDisk {
public:
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
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& reason() const { return reason_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    // Takes every byte still free with one file; false when it could not.
    bool fill() const
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
        return full;
    }

private:
    std::string path_;
    std::string reason_;
    bool mounted_ = false;
};

}  // namespace velmora::test
