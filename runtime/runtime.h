// The runtime module: objects, strings, exceptions, containers, the millisecond counter.
// It has no imports; InitRuntime exists so that every module's initialiser can start with it.
#pragma once

#include "runtime/exceptions.h"
#include "runtime/containers.h"
#include "runtime/millisecs.h"
#include "runtime/object.h"
#include "runtime/string.h"

namespace tarn {

void InitRuntime();

}  // namespace tarn
