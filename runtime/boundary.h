// Carrying C++ exceptions across functions that Windows calls back.
//
// Our i686 code cannot unwind through Windows' own frames, so a window procedure, hook or
// callback catches everything at its edge with StashException() and returns a harmless result;
// once control is back in our own frames (after DispatchMessageA, PeekMessageA ...) the caller
// runs RethrowStashedException(). Only the first exception stashed before a rethrow is kept.
// Main thread only.
#pragma once

namespace tarn {

// Call inside a catch block.
void StashException();
// Throws the stashed exception, if any, and forgets it.
void RethrowStashedException();
bool HasStashedException();

// Runs body, stashing whatever it throws. For the bodies of callbacks.
template <class Body>
void GuardCallback(Body&& body) noexcept {
  try {
    body();
  } catch (...) {
    StashException();
  }
}

}  // namespace tarn
