#pragma once

// A system driver whose "platform queue" is a list the test fills: Poll
// emits everything queued. Events queued with Later arrive only when someone
// waits for them: Wait moves them into the queue and then polls.

#include "system/event.h"
#include "system/system_driver.h"

#include <deque>
#include <memory>

class TFakeSystemDriver : public TSystemDriver {
public:
    std::deque<std::shared_ptr<TEvent>> queue;
    std::deque<std::shared_ptr<TEvent>> later;
    int polls = 0;
    int waits = 0;

    void Queue(int32_t id, int32_t data = 0, int32_t x = 0, int32_t y = 0,
               std::shared_ptr<void> source = nullptr) {
        queue.push_back(TEvent::Create(id, std::move(source), data, 0, x, y, {}));
    }

    int32_t Poll() override {
        ++polls;
        while (!queue.empty()) {
            EmitFront();
        }
        return 0;
    }

    void Later(int32_t id, int32_t data = 0) {
        later.push_back(TEvent::Create(id, nullptr, data, 0, 0, 0, {}));
    }

    int32_t Wait() override {
        ++waits;
        queue.insert(queue.end(), later.begin(), later.end());
        later.clear();
        return Poll();
    }

    int32_t MoveMouse(int32_t, int32_t) override { return 0; }
    int32_t SetMouseVisible(int32_t) override { return 0; }

private:
    void EmitFront() {
        const auto event = queue.front();
        queue.pop_front();
        event->Emit();
    }
};
