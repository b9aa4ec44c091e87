// Fuzz target: any text as a form description, read into a form with every
// class of the component suite, then painted when it is of a sane size, so
// that extreme property values reach the chart and axis geometry too.
#include "axes/scale.h"
#include "chart/rchart.h"
#include "platform/form.h"
#include "platform/form_loader.h"
#include "platform/property_registry.h"
#include "widgets/num_lab.h"

#include <QApplication>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

// Bitmaps are made at the controls' sizes; larger ones only cost memory.
constexpr int kMaxPaintedSide = 2048;

THandlerTable &Handlers() {
  static THandlerTable table;
  return table;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "fuzz_form_loader";
  static char *argv[] = {name, nullptr};
  new QApplication(argc, argv);
  RegisterPlatformClasses();
  RegisterAxesClasses();
  RegisterChartClasses();
  RegisterNumLab();
  // The handler names of the program's own forms, so that their event
  // properties bind.
  for (const char *handler :
       {"FormCreate", "FormDestroy", "FormResize", "FormShow", "SBTemperatureChange", "SBTempChange",
        "TBScaleYChange", "CBLogScaleClick", "CBPeakCurveClick", "CBoxVisRangeClick",
        "BBAddSnapShotClick", "BBSnapShotClearClick", "BButExitClick", "BButInfoClick",
        "CBoxClick"})
    Handlers().Add(handler, std::function<void(TObject *)>([](TObject *) {}));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *Data, std::size_t Size) {
  const std::string text(reinterpret_cast<const char *>(Data), Size);
  TForm form(nullptr);
  try {
    ReadComponentText(&form, text, &Handlers());
  } catch (const Exception &) {
    return 0; // refused with a message: what a bad description must get
  }
  for (int i = 0; i < form.ComponentCount(); ++i) {
    auto *control = dynamic_cast<TControl *>(form.Components(i));
    if (!control || control->Width() > kMaxPaintedSide || control->Height() > kMaxPaintedSide)
      continue;
    try {
      if (auto *chart = dynamic_cast<TRChart *>(control))
        chart->Paint();
      else if (auto *scale = dynamic_cast<TScale *>(control))
        scale->Paint();
    } catch (const Exception &) {
      // A refusal while painting is shown to the user, not a fault.
    }
  }
  return 0;
}
