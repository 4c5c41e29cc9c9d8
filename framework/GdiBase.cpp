#include "GdiBase.h"

#include "DialogBase.h"

CPaintDC::CPaintDC(CWnd* window) : window(window->m_hWnd) { m_hDC = BeginPaint(this->window, &m_ps); }
CPaintDC::~CPaintDC() { EndPaint(window, &m_ps); }
