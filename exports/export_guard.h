// Keeps C++ exceptions from crossing into the host: every export body runs
// through one of these.
#pragma once

namespace rowshift {

// The body's answer, or `fallback` when it throws.
template <typename Result, typename Body>
Result AnswerOr(Result fallback, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return fallback;
  }
}

// Runs a body without an answer; a throw ends it quietly.
template <typename Body>
void RunGuarded(Body&& body) noexcept {
  try {
    body();
  } catch (...) {
  }
}

}  // namespace rowshift
