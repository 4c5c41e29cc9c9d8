#pragma once

#include "DialogBase.h"
#include "res/resource.h"

// "Info über Tessoran": the about box, opened from the system menu.
class AboutDialog : public CDialog {
public:
    explicit AboutDialog(CWnd* parent = nullptr) : CDialog(IDD_ABOUTBOX, parent) {}

protected:
    void DoDataExchange(CDataExchange*) override {}
};
