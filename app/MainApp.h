#pragma once

#include "AppBase.h"

// The application: runs the main dialog and ends when it closes.
class MainApp : public CWinApp {
public:
    BOOL InitInstance() override;

private:
    MessageMap GetMessageMap() const override;
};
