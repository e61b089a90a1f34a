// The destination: drive and folder lists, and the window's single refresh
// procedure.

#include "app/form1.h"

using namespace ramulo;

void Form1::Drive1_Change() {
    Dir1->setPath(m_services.drives->currentFolder(Drive1->drive()));
}

// Every rebuild of the preview goes through here.
void Form1::Dir1_Change() {
    Command3->setEnabled(false);
    SB1->setPanelText(2, Dir1->path());
    if (livepreview->value() == 1 || var5)
        RefreshPreview();
}
