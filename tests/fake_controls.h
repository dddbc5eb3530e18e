#pragma once

#include "exercise/controls.h"
#include "exercise/random_source.h"

#include <array>
#include <deque>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

// Records every control operation in order and keeps what a window would show.
class FakeControls final : public Controls {
public:
    std::vector<std::string> log;
    std::array<std::string, 41> texts{};
    std::array<Rgb, 41> textColours{};
    std::map<int, std::string> captions;
    bool label22Enabled = true;
    std::array<bool, 6> imageVisible{false, true, true, true, true, true};
    bool ended = false;

    std::string text(int box) const override { return texts.at(static_cast<std::size_t>(box)); }
    void setText(int box, const std::string& text) override
    {
        texts.at(static_cast<std::size_t>(box)) = text;
        log.push_back("text " + std::to_string(box) + " '" + text + "'");
    }
    void setTextColour(int box, Rgb colour) override
    {
        textColours.at(static_cast<std::size_t>(box)) = colour;
        log.push_back("colour " + std::to_string(box));
    }
    void setCaption(int label, const std::string& caption) override
    {
        captions[label] = caption;
        log.push_back("caption " + std::to_string(label) + " '" + caption + "'");
    }
    void setLabel22Enabled(bool enabled) override
    {
        label22Enabled = enabled;
        log.push_back(enabled ? "enable 22" : "disable 22");
    }
    void setImageVisible(int image, bool visible) override
    {
        imageVisible.at(static_cast<std::size_t>(image)) = visible;
        log.push_back((visible ? "show " : "hide ") + std::to_string(image));
    }
    void endProgram() override { ended = true; }

    int visibleFace() const
    {
        int shown = 0;
        for (int face : {faces::waiting, faces::right, faces::wrong})
            shown = imageVisible[static_cast<std::size_t>(face)] ? (shown ? -1 : face) : shown;
        return shown;
    }
};

// Hands out a scripted series of u values; running out is a test fault.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<std::string>* log = nullptr) : log_(log) {}

    std::deque<double> values;
    double seededWith = -1;

    void seed(double secondsSinceMidnight) override
    {
        seededWith = secondsSinceMidnight;
        if (log_)
            log_->push_back("seed");
    }
    double next() override
    {
        if (values.empty())
            throw std::runtime_error("scripted random numbers ran out");
        const double u = values.front();
        values.pop_front();
        return u;
    }

    // Queues u values that draw exactly these whole numbers from floor(u * range) + offset.
    void queue(std::initializer_list<int> drawn, int range, int offset = 0)
    {
        for (const int value : drawn)
            values.push_back((value - offset + 0.5) / range);
    }

private:
    std::vector<std::string>* log_;
};

class FixedClock final : public Clock {
public:
    double seconds = 45296.25;
    double secondsSinceMidnight() const override { return seconds; }
};
