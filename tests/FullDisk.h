#pragma once

#include "TempDir.h"

#include <cstdio>

#ifdef __linux__
#include <sys/mount.h>

// A tiny tmpfs mounted for the test, which Fill() fills up, so writes fail as on a
// full disk, or MakeReadOnly() turns read-only. Mounting needs root; Mounted() tells
// whether it worked.
class FullDisk {
public:
    explicit FullDisk(std::string options = "size=64k")
        : path_(dir_.File("disk")), options_(std::move(options)) {
        std::filesystem::create_directory(path_);
        mounted_ = mount("tmpfs", path_.c_str(), "tmpfs", 0, options_.c_str()) == 0;
    }
    ~FullDisk() {
        if (mounted_)
            umount(path_.c_str());
    }
    bool Mounted() const { return mounted_; }
    std::string File(const std::string &name) const { return path_ + "/" + name; }

    // Takes whatever space is left with a file named "filler".
    void Fill() const {
        std::FILE *filler = std::fopen(File("filler").c_str(), "wb");
        if (!filler)
            return;
        const std::vector<char> block(4096, 0);
        while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() &&
               std::fflush(filler) == 0) {
        }
        std::fclose(filler);
    }
    // Takes every free inode (the options must limit them: nr_inodes) with empty files.
    void FillInodes() const {
        for (int i = 0; i < 1000; ++i)
            if (std::FILE *f = std::fopen(File("inode-" + std::to_string(i)).c_str(), "wb"))
                std::fclose(f);
            else
                return;
    }
    bool MakeReadOnly() const {
        return mount("tmpfs", path_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, options_.c_str()) ==
               0;
    }
    std::size_t FileCount() const {
        return std::size_t(std::distance(std::filesystem::directory_iterator(path_), {}));
    }

private:
    TempDir dir_;
    std::string path_;
    std::string options_;
    bool mounted_ = false;
};
#else
// Nothing to mount a small disk with: every test that needs one skips.
class FullDisk {
public:
    explicit FullDisk(std::string = {}) {}
    bool Mounted() const { return false; }
    std::string File(const std::string &) const { return {}; }
    void Fill() const {}
    bool MakeReadOnly() const { return false; }
    std::size_t FileCount() const { return 0; }
};
#endif
