// What every engine object may need from the program around it: the error log, the
// game's one random generator and the window system (message boxes). The main window
// owns all three and hands this to each engine it builds.
#pragma once

namespace quellix {

class TfrmErrorLog;
class TRandom;
class IWindowSystem;

struct TVintorContext {
  TfrmErrorLog& Log;
  TRandom& Random;
  IWindowSystem& Window;
};

}  // namespace quellix
