#pragma once

#include "PictureWriter.h"

#include <vector>

// Collects written bytes; refuses every write once failAfter bytes are stored.
class MemorySink : public ByteSink {
public:
    explicit MemorySink(std::size_t failAfter = SIZE_MAX) : failAfter_(failAfter) {}
    bool Write(const void *data, std::size_t size) override {
        if (bytes.size() + size > failAfter_)
            return false;
        const auto *p = static_cast<const unsigned char *>(data);
        bytes.insert(bytes.end(), p, p + size);
        return true;
    }
    std::vector<unsigned char> bytes;

private:
    std::size_t failAfter_;
};
