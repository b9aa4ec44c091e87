// Spectrion: the black-body radiation simulation as a desktop program.
#include "platform/application.h"
#include "platform/exceptions.h"
#include "simulation/about_box.h"
#include "simulation/main_window.h"

#include <QApplication>

#include <exception>

int main(int argc, char **argv) {
  QApplication qtApplication(argc, argv);
  Application->Initialize();
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
