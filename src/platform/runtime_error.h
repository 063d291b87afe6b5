// The run-time error report: the one way the game stops on a failed check.
//
// The report reads "\nAborting due to runtime error N (text) at line L of wedgora::PROC()\n\n"
// on standard error, and the process exits with the error number. Each game procedure names
// itself with a ProcedureScope so that the report can say where it stopped.
#pragma once

#include <string>

namespace wedgora {

enum RuntimeErrorCode : int {
  kIllegalFunctionCall = 1,
  kOutOfBounds = 6,
  kNullPointer = 7,
};

// Builds the report's text (at most 1023 characters).
std::string runtimeErrorReport(int code, int line, const char* procedure);

// Writes the report for the current procedure and ends the process with `code`.
[[noreturn]] void runtimeError(int code, int line = __builtin_LINE());

// The name of the procedure now running ("" for the main program).
const char* currentProcedure();

// Makes a procedure's name current for the report while it runs, and gives the caller's back.
class ProcedureScope {
 public:
  explicit ProcedureScope(const char* name);
  ~ProcedureScope();
  ProcedureScope(const ProcedureScope&) = delete;
  ProcedureScope& operator=(const ProcedureScope&) = delete;

 private:
  const char* caller_;
};

// Stops with error 1 when a text draw failed (status non-zero); the line is the caller's.
inline void checkText(int status, int line = __builtin_LINE()) {
  if (status != 0) runtimeError(kIllegalFunctionCall, line);
}

}  // namespace wedgora
