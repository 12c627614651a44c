#include "PrefaultedBuffer.h"

#include <new>
#include <sys/mman.h>
#include <utility>

PrefaultedBuffer::PrefaultedBuffer(size_t bytes) : size(bytes)
{
    if (bytes == 0)
        return;
    void *pages = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (pages != MAP_FAILED) {
        memory = pages;
        mapped = true;
        return;
    }
    memory = ::operator new(bytes, std::nothrow);
}

PrefaultedBuffer::~PrefaultedBuffer()
{
    release();
}

PrefaultedBuffer::PrefaultedBuffer(PrefaultedBuffer &&other) noexcept
{
    *this = std::move(other);
}

PrefaultedBuffer &PrefaultedBuffer::operator=(PrefaultedBuffer &&other) noexcept
{
    if (this != &other) {
        release();
        memory = std::exchange(other.memory, nullptr);
        size = std::exchange(other.size, 0);
        mapped = std::exchange(other.mapped, false);
    }
    return *this;
}

void PrefaultedBuffer::release()
{
    if (mapped)
        munmap(memory, size);
    else
        ::operator delete(memory);
    memory = nullptr;
    size = 0;
    mapped = false;
}
