// The run-time error report and the current procedure's name.
#include "platform/runtime_error.h"

#include <cstdio>
#include <cstdlib>

namespace wedgora {

namespace {
const char* g_procedure = "";

const char* errorText(int code) {
  switch (code) {
    case kIllegalFunctionCall:
      return "illegal function call";
    case kOutOfBounds:
      return "out of bounds array access";
    case kNullPointer:
      return "null pointer access";
    default:
      return "unprintable error";
  }
}
}  // namespace

std::string runtimeErrorReport(int code, int line, const char* procedure) {
  char buffer[1024];
  int n = std::snprintf(buffer, sizeof buffer, "\nAborting due to runtime error %d", code);
  auto append = [&](const char* format, auto... args) {
    if (n >= 0 && n < int(sizeof buffer)) {
      n += std::snprintf(buffer + n, sizeof buffer - std::size_t(n), format, args...);
    }
  };
  append(" (%s)", errorText(code));
  append(" at line %d", line);
  append(" %s %s::%s()\n\n", "of", "wedgora", procedure ? procedure : "");
  return std::string(buffer);
}

void runtimeError(int code, int line) {
  const std::string report = runtimeErrorReport(code, line, g_procedure);
  std::fputs(report.c_str(), stderr);
  std::fflush(stderr);
  std::_Exit(code);
}

const char* currentProcedure() {
  return g_procedure;
}

ProcedureScope::ProcedureScope(const char* name) : caller_(g_procedure) {
  g_procedure = name;
}

ProcedureScope::~ProcedureScope() {
  g_procedure = caller_;
}

}  // namespace wedgora
