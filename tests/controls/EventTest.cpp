#include "controls/Control.h"
#include "controls/ControlEvent.h"
#include "controls/ControlManager.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
using Log = std::vector<std::string>;

std::string Entry(const std::string& who, const std::string& what, int id, double value) {
    return who + " " + what + " " + std::to_string(id) + " " + std::to_string(value);
}

class CRecordingManager : public CControlManager {
public:
    explicit CRecordingManager(Log* log) : CControlManager(nullptr), m_log(log) {}
    bool OnControlEvent(int id, WPARAM p) override { return Note("command", id, double(p)); }
    bool OnControlIntA(int id, int v) override { return Note("intA", id, v); }
    bool OnControlIntB(int id, int v) override { return Note("intB", id, v); }
    bool OnControlValue(int id, double v) override { return Note("value", id, v); }
    bool OnControlData(int id, int p1, int, int, int p4) override { return Note("data", id, p1 * 10 + p4); }
    bool OnControlCustom(int id, int p1, int, int, int) override { return Note("custom", id, p1); }
    bool Note(const char* what, int id, double v) {
        m_log->push_back(Entry("manager", what, id, v));
        return true;
    }
    Log* m_log;
};

// A control without a window that records what it hears; it may register another listener once.
class CListener : public CControl {
public:
    CListener(const char* name, Log* log) : CControl(nullptr, nullptr, 0, {}, 0), m_name(name), m_log(log) {}
    void Draw(const RECT*) override {}
    bool OnControlEvent(int id, WPARAM p) override {
        m_log->push_back(Entry(m_name, "command", id, double(p)));
        if (m_recruit && m_manager) {
            m_manager->AddListener(m_recruit);
            m_recruit = nullptr;
        }
        return true;
    }
    bool OnControlValue(int id, double v) override {
        m_log->push_back(Entry(m_name, "value", id, v));
        return true;
    }
    bool OnControlCustom(int id, int p1, int, int, int) override {
        m_log->push_back(Entry(m_name, "custom", id, p1));
        return true;
    }
    std::string m_name;
    Log* m_log;
    CListener* m_recruit = nullptr;
};
} // namespace

TEST(Events, TheManagerHearsFirstThenEveryListenerInRegistrationOrder) {
    Log log;
    CRecordingManager manager(&log);
    auto* first = new CListener("first", &log);
    auto* second = new CListener("second", &log);
    auto* late = new CListener("late", &log);
    for (CControl* c :
         {static_cast<CControl*>(first), static_cast<CControl*>(second), static_cast<CControl*>(late)})
        manager.AddControl(c);
    first->m_recruit = late;
    ASSERT_TRUE(manager.AddListener(first));
    ASSERT_TRUE(manager.AddListener(second));
    ASSERT_TRUE(manager.AddListener(second));
    EXPECT_FALSE(manager.AddListener(nullptr));

    EXPECT_TRUE(first->SendEvent(7, EVENT_COMMAND, 5, 0, 0, 0));
    EXPECT_EQ(log, (Log{Entry("manager", "command", 7, 5), Entry("first", "command", 7, 5),
                        Entry("second", "command", 7, 5), Entry("second", "command", 7, 5),
                        Entry("late", "command", 7, 5)}))
        << "twice registered hears twice; a listener added during the dispatch is reached";
}

TEST(Events, KindsAndSubKindsChooseTheHandlers) {
    Log log;
    CRecordingManager manager(&log);
    auto* listener = new CListener("listener", &log);
    manager.AddControl(listener);
    manager.AddListener(listener);

    EXPECT_TRUE(listener->SendEvent(1, EVENT_NONE, 0, 0, 0, 0));
    EXPECT_TRUE(listener->SendEvent(1, EVENT_NONE_3, 0, 0, 0, 0));
    EXPECT_TRUE(log.empty()) << "kinds 0 and 3 reach nobody";

    listener->SendEvent(2, EVENT_VALUE, VALUE_INT_A, 0, 11, 0);
    listener->SendEvent(3, EVENT_VALUE, VALUE_INT_B, 0, -12, 0);
    listener->SendEvent(4, EVENT_VALUE, 9, 0, 0, 4);
    listener->SendEvent(5, -1, 6, 0, 0, 0);
    EXPECT_EQ(log, (Log{Entry("manager", "intA", 2, 11), Entry("manager", "intB", 3, -12),
                        Entry("manager", "data", 4, 94), Entry("manager", "custom", 5, 6),
                        Entry("listener", "custom", 5, 6)}))
        << "a negative kind is custom";

    log.clear();
    const double value = -1234.5678e-3;
    const CControlEvent event = CControlEvent::MakeValue(6, value);
    EXPECT_TRUE(manager.Dispatch(&event));
    EXPECT_EQ(log, (Log{Entry("manager", "value", 6, value), Entry("listener", "value", 6, value)}));
    EXPECT_EQ(event.GetDouble(), value) << "the double travels bit for bit";
    EXPECT_FALSE(manager.Dispatch(nullptr));
}

TEST(Events, AControlWithoutAManagerCannotSend) {
    Log log;
    CListener orphan("orphan", &log);
    EXPECT_FALSE(orphan.SendEvent(1, EVENT_COMMAND, 0, 0, 0, 0));
    EXPECT_TRUE(log.empty());
}
