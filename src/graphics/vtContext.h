// What every engine object may need from the program around it: the error log, the
// game's one random generator and the window system (message boxes). The main window
// owns all three and hands this to each engine it builds. It lives in graphics/, the
// lowest folder that declares the window system, since the animation engine needs it too.
#pragma once

namespace quellix {

class ILog;
class TRandom;
class IWindowSystem;

struct TVintorContext {
  ILog& Log;
  TRandom& Random;
  IWindowSystem& Window;
};

}  // namespace quellix
