#include "app/MainForm.h"

namespace sorabako {

void TForm1::LoadSettings() {
    HistoryList_.BeginLoad();
    HistoryList_.ApplyHistoryExtent();
}

void TForm1::SaveSettings() {}

}  // namespace sorabako
