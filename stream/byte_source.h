#pragma once
// Where a stream's bytes come from: a file read piece by piece, or a buffer in
// memory. A read that does not lie wholly inside the source is refused.

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <span>
#include <string>

namespace stream {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t size() const = 0;
    // Reads count bytes at offset; throws support::FileError (Io) when they cannot be
    // read or do not lie inside the source.
    virtual void read(uint64_t offset, uint8_t* out, size_t count) = 0;

protected:
    // Whether count bytes at offset lie inside, compared without overflow.
    bool holds(uint64_t offset, size_t count) const { return offset <= size() && count <= size() - offset; }
};

// A buffer the caller keeps alive while the source is in use.
class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    uint64_t size() const override { return bytes_.size(); }
    void read(uint64_t offset, uint8_t* out, size_t count) override;

private:
    std::span<const uint8_t> bytes_;
};

class FileSource final : public ByteSource {
public:
    // Throws support::FileError (Io) when the file cannot be opened.
    explicit FileSource(const std::string& path);
    uint64_t size() const override { return size_; }
    void read(uint64_t offset, uint8_t* out, size_t count) override;

private:
    std::string path_;
    std::ifstream file_;
    uint64_t size_ = 0;
};

}  // namespace stream
