// Spectrion: the black-body radiation simulation as a desktop program.
#include "platform/application.h"
#include "platform/exceptions.h"
#include "platform/termination_signals.h"
#include "simulation/about_box.h"
#include "simulation/main_window.h"

#if !defined(_WIN32)
#include <QApplication>
#endif

#include <cstring>
#include <exception>
#include <iostream>

int main(int argc, char **argv) {
  // Answered before any window exists; every other argument is a parameter.
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::cout << "spectrion " SPECTRION_VERSION "\n";
    return 0;
  }
#if !defined(_WIN32)
  QApplication qtApplication(argc, argv);
#endif
  Application->Initialize();
  EndRunOnTerminationSignals();
  Application->SetTitle("Spectrion");
  try {
    // The window reads its description; its FormCreate runs here. Errors in
    // later events are shown by the event dispatch and the program goes on.
    TfrmExample *frmExample = nullptr;
    Application->CreateForm(frmExample);
    Application->CreateForm(FrmAbout);
  } catch (const std::exception &E) {
    // Without a main window there is nothing to go on with.
    Application->HandleException(E);
    return 1;
  }
  Application->Run();
  return 0;
}
