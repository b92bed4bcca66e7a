// Where lower code writes its progress and the errors it catches. The program's error
// log (shell/) implements it and the main window hands it down through the engine
// context, so nothing below shell/ needs to know how or where lines are kept.
#pragma once

#include <string>

namespace quellix {

class ILog {
 public:
  virtual ~ILog() = default;
  // Never fails its caller.
  virtual void Log(const std::string& message) noexcept = 0;
};

}  // namespace quellix
