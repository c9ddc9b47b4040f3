// The per-frame and per-step paths never touch the heap: every allocation through malloc,
// calloc, realloc or operator new is counted while idle and display run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "app/start.hpp"
#include "render/display.hpp"

extern "C" void* __libc_malloc(std::size_t size);
extern "C" void* __libc_calloc(std::size_t count, std::size_t size);
extern "C" void* __libc_realloc(void* pointer, std::size_t size);

namespace {
long allocations = 0;
}  // namespace

extern "C" void* malloc(std::size_t size)
{
    ++allocations;
    return __libc_malloc(size);
}

extern "C" void* calloc(std::size_t count, std::size_t size)
{
    ++allocations;
    return __libc_calloc(count, size);
}

extern "C" void* realloc(void* pointer, std::size_t size)
{
    ++allocations;
    return __libc_realloc(pointer, size);
}

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* pointer = __libc_malloc(size == 0 ? 1 : size)) {
        return pointer;
    }
    throw std::bad_alloc();
}

void operator delete(void* pointer) noexcept
{
    std::free(pointer);
}

void operator delete(void* pointer, std::size_t /*size*/) noexcept
{
    std::free(pointer);
}

namespace {

TEST(Allocations, IdleAndDisplayAllocateNothingOverAThousandCalls)
{
    bounce::Cell<bool> quitRequested(false);
    bounce::Cell<bounce::Vec3> position(bounce::startPosition);
    bounce::Cell<bounce::Vec3> velocity(bounce::startVelocity);
    const bounce::Cell<bounce::Vec3> acceleration(bounce::startAcceleration);

    const long before = allocations;
    for (int call = 0; call < 1000; ++call) {
        bounce::idle(quitRequested, position, velocity, acceleration);
        bounce::display(position);
    }
    quitRequested.write(true);
    bounce::idle(quitRequested, position, velocity, acceleration);
    const long made = allocations - before;

    EXPECT_EQ(made, 0);
    EXPECT_GT(allocations, 0) << "the counter is not in use";
}

}  // namespace
