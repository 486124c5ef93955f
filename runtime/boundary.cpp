#include "runtime/boundary.h"

#include <exception>

namespace tarn {
namespace {
std::exception_ptr stashed;
}

void StashException() {
  if (!stashed) stashed = std::current_exception();
}

bool HasStashedException() { return static_cast<bool>(stashed); }

void RethrowStashedException() {
  if (!stashed) return;
  std::exception_ptr pending = nullptr;
  std::swap(pending, stashed);
  std::rethrow_exception(pending);
}

}  // namespace tarn
