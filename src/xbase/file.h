#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace xbase {

enum class LockKind { Shared, Exclusive };

// Byte-addressed file. Every engine read and write goes through this, so tests
// can substitute an in-memory file or one that fails part-way.
// All operations throw XbaseError naming the file on I/O failure.
class File {
public:
    virtual ~File() = default;
    // Returns the number of bytes read; short only at end of file.
    virtual std::size_t readAt(std::uint64_t offset, void* buf, std::size_t n) = 0;
    virtual void writeAt(std::uint64_t offset, const void* buf, std::size_t n) = 0;
    virtual std::uint64_t size() = 0;
    virtual void truncate(std::uint64_t size) = 0;
    virtual void sync() = 0;
    // Advisory lock between processes; returns false when another process
    // holds a conflicting lock (never blocks).
    virtual bool tryLock(LockKind kind) = 0;
    virtual const std::string& path() const = 0;
    // False when the file could only be opened for reading (its permissions,
    // a read-only mount); its writes then throw a "read-only" XbaseError.
    virtual bool writable() const { return true; }

    // Reads exactly n bytes or throws "unexpected end of file".
    void readExact(std::uint64_t offset, void* buf, std::size_t n);
};

// Create makes the file when missing and keeps an existing one as it is
// (callers lock before they truncate).
enum class OpenFlags { ReadWrite, Create };

// Where files come from. The default is the real file system; tests inject
// in-memory or faulty ones.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual std::unique_ptr<File> open(const std::string& path, OpenFlags flags) = 0;
    virtual bool exists(const std::string& path) = 0;
    virtual void remove(const std::string& path) = 0;
    // Atomically replaces `to` with `from`. The real file system also syncs
    // the folder, so the new name survives a power cut.
    virtual void rename(const std::string& from, const std::string& to) = 0;
    // Key identifying one file for in-process sharing (canonical path).
    virtual std::string identity(const std::string& path) = 0;
};

// The process-wide file system used when none is given.
FileSystem& defaultFileSystem();

}  // namespace xbase
