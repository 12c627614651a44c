#pragma once
// An uninitialised buffer whose pages are mapped when it is made, in one system call, rather than
// one page fault at a time as the values are first written: for the chunks of per-segment values
// that the estimators keep (hundreds of MiB for an hour-long recording).

#include <cstddef>

class PrefaultedBuffer {
public:
    PrefaultedBuffer() = default;
    explicit PrefaultedBuffer(size_t bytes);
    ~PrefaultedBuffer();
    PrefaultedBuffer(PrefaultedBuffer &&other) noexcept;
    PrefaultedBuffer &operator=(PrefaultedBuffer &&other) noexcept;
    PrefaultedBuffer(const PrefaultedBuffer &) = delete;
    PrefaultedBuffer &operator=(const PrefaultedBuffer &) = delete;

    // Null when bytes is 0 or the memory cannot be had.
    template <typename T>
    T *as() const { return static_cast<T *>(memory); }

private:
    void release();

    void *memory = nullptr;
    size_t size = 0;
    bool mapped = false;
};
