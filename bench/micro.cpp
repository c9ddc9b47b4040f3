// Micro-benchmarks of the per-step and per-frame code, against an OpenGL and freeglut
// double that does nothing, so that only the program's own work is timed.
#include <benchmark/benchmark.h>

#include "app/start.hpp"
#include "motion/action.hpp"
#include "render/cube.hpp"
#include "render/display.hpp"

namespace {

using bounce::Cell;
using bounce::Vec3;

using bounce::bounceFactor;
using bounce::bounds;
using bounce::startPosition;
using bounce::startVelocity;
constexpr Vec3 acceleration = bounce::startAcceleration;

// One motion step as idle makes it: the new velocity and the new position from the same
// starting values.
void motionStep(benchmark::State& state)
{
    Vec3 position = startPosition;
    Vec3 velocity = startVelocity;
    for (auto _ : state) {
        benchmark::DoNotOptimize(position);
        benchmark::DoNotOptimize(velocity);
        const Vec3 next =
            bounce::newVelocity3(bounds, bounceFactor, position, acceleration, velocity);
        position = bounce::nextPosition3(position, velocity);
        velocity = next;
    }
    benchmark::DoNotOptimize(position);
}
BENCHMARK(motionStep);

// The floor under a step: the six additions every step needs, in a dependent chain like
// the step's own.
void sixFloatAdditions(benchmark::State& state)
{
    Vec3 position = startPosition;
    Vec3 velocity = startVelocity;
    for (auto _ : state) {
        benchmark::DoNotOptimize(position);
        benchmark::DoNotOptimize(velocity);
        position = {position.x + velocity.x, position.y + velocity.y, position.z + velocity.z};
        velocity = {velocity.x + acceleration.x, velocity.y + acceleration.y,
                    velocity.z + acceleration.z};
    }
    benchmark::DoNotOptimize(position);
}
BENCHMARK(sixFloatAdditions);

void idle(benchmark::State& state)
{
    const Cell<bool> quitRequested(false);
    Cell<Vec3> position(startPosition);
    Cell<Vec3> velocity(startVelocity);
    const Cell<Vec3> accelerationCell(acceleration);
    for (auto _ : state) {
        bounce::idle(quitRequested, position, velocity, accelerationCell);
        benchmark::DoNotOptimize(position);
    }
}
BENCHMARK(idle);

void display(benchmark::State& state)
{
    const Cell<Vec3> position(startPosition);
    for (auto _ : state) {
        bounce::display(position);
    }
}
BENCHMARK(display);

void cube(benchmark::State& state)
{
    for (auto _ : state) {
        bounce::cube(0.1f);
    }
}
BENCHMARK(cube);

}  // namespace

BENCHMARK_MAIN();
