#pragma once

// A graphics driver that makes no windows: it records what it is asked to do.

#include "graphics/graphics_driver.h"
#include "util/runtime_error.h"

#include <memory>
#include <string>
#include <vector>

struct TDriverLog {
    std::vector<int32_t> flips;
    std::vector<std::string> calls;
};

class TFakeGraphics : public TGraphics {
public:
    TFakeGraphics(std::shared_ptr<TGraphicsDriver> driver, TGraphicsSettings settings,
                  std::shared_ptr<TDriverLog> log, std::string name)
        : _driver(std::move(driver)), _settings(settings), _log(std::move(log)),
          _name(std::move(name)) {}

    std::shared_ptr<TGraphicsDriver> Driver() const override { return _driver; }
    TGraphicsSettings GetSettings() const override { return _settings; }
    void Close() override {
        if (!closed) {
            closed = true;
            _log->calls.push_back("close " + _name);
        }
    }

    bool closed = false;

private:
    std::shared_ptr<TGraphicsDriver> _driver;
    TGraphicsSettings _settings;
    std::shared_ptr<TDriverLog> _log;
    std::string _name;
};

class TFakeGraphicsDriver : public TGraphicsDriver,
                            public std::enable_shared_from_this<TFakeGraphicsDriver> {
public:
    enum class TFailure { None, Null, Raise };

    std::shared_ptr<TDriverLog> log = std::make_shared<TDriverLog>();
    std::vector<TGraphicsMode> modes;
    TFailure failure = TFailure::None;
    int modeQueries = 0;

    std::vector<TGraphicsMode> GraphicsModes() override {
        ++modeQueries;
        return modes;
    }

    std::shared_ptr<TGraphics> CreateGraphics(int32_t width, int32_t height, int32_t depth,
                                              int32_t hertz, int32_t flags) override {
        if (failure == TFailure::Raise) {
            RaiseRuntimeError(u"GLGraphicsDriver failed to set display mode");
        }
        if (failure == TFailure::Null) {
            return nullptr;
        }
        const std::string name = "g" + std::to_string(++_made);
        log->calls.push_back("create " + name + " flags " + std::to_string(flags));
        return std::make_shared<TFakeGraphics>(
            shared_from_this(), TGraphicsSettings{width, height, depth, hertz, flags}, log, name);
    }

    void SetGraphics(const std::shared_ptr<TGraphics>& graphics) override {
        log->calls.push_back(graphics ? "set" : "set none");
    }

    void Flip(int32_t sync) override { log->flips.push_back(sync); }

private:
    int _made = 0;
};
