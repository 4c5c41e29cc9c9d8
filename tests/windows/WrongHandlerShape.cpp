// Must not compile: a timer handler in the paint row. The test that builds this file expects
// the message map's own complaint, not any other error.
#include "DialogBase.h"

class WrongShape : public CWnd {
    MessageMap GetMessageMap() const override {
        static constexpr MessageMapEntry entries[] = {
            On::Timer<&WrongShape::onTimer>(),
            On::Paint<&WrongShape::onTimer>(),
        };
        return entries;
    }
    void onTimer(UINT_PTR) {}
};
