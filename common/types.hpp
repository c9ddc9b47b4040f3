// Value types shared by every module: the three-component vector, the per-axis bound
// pair and the state cell through which the callbacks share the program's state.
#pragma once

namespace bounce {

// Three components, one per axis, in the order x, y, z.
template <typename T>
struct Triple {
    T x;
    T y;
    T z;
};

// Positions, velocities, accelerations, bounce factors and vertices: single precision only.
using Vec3 = Triple<float>;

// The limits of one axis.
struct BoundPair {
    float lower;
    float upper;
};

using Bounds3 = Triple<BoundPair>;

// A mutable slot holding one plain value; reads hand out copies.
template <typename T>
class Cell {
public:
    explicit Cell(T initial) : value_(initial) {}

    T read() const { return value_; }
    void write(T value) { value_ = value; }

private:
    T value_;
};

}  // namespace bounce
