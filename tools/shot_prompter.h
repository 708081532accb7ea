#pragma once
#include <cstdio>
#include <string>

#include "ui/prompter.h"

namespace tarvex {

// The screenshot tools' answers: Open chooses the sample image, every question is answered No
// (so an edit goes to the temporary file), and messages are printed.
class ShotPrompter : public Prompter {
public:
    explicit ShotPrompter(std::string image) : m_image(std::move(image)) {}
    MessageAnswer ShowMessage(DialogSurface*, const std::string& text, const std::string&,
                              MessageIcon, MessageButtons) override {
        std::printf("message: %s\n", text.c_str());
        return MessageAnswer::No;
    }
    std::string OpenFileName(DialogSurface*) override { return m_image; }
    std::string SaveFileName(DialogSurface*) override { return {}; }

private:
    std::string m_image;
};

}  // namespace tarvex
