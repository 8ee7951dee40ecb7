#include "common/sesion.h"

namespace {
TSesion sesion;
} // namespace

TSesion &Sesion() {
    return sesion;
}
