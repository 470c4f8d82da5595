#pragma once
// Prompts for window tests: names come from queues the test fills, and
// every message, save dialog, folder dialog and question shown is recorded.
// An empty queue answers as a cancel (an empty name); every question "no".
#include <QMessageBox>
#include <QString>
#include <deque>
#include <vector>

#include "ui/auxiliary/prompts.h"

namespace quillory::test {

struct ShownMessage {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool operator==(const ShownMessage&) const = default;
};

class ScriptedPrompts final : public ui::Prompts {
public:
    std::deque<QString> saveNames;    // answers to saveFileName
    std::deque<QString> folderNames;  // answers to folderName

    std::vector<ShownMessage> messages;
    std::vector<ui::SaveDialogSpec> saveDialogs;
    std::vector<QString> folderTitles;
    std::vector<QString> questions;

    void message(QWidget*, const QString& text, const QString& title, QMessageBox::Icon icon) override {
        messages.push_back({text, title, icon});
    }
    QString saveFileName(QWidget*, const ui::SaveDialogSpec& spec) override {
        saveDialogs.push_back(spec);
        return take(saveNames);
    }
    QString folderName(QWidget*, const QString& title, const QString&) override {
        folderTitles.push_back(title);
        return take(folderNames);
    }
    bool ask(QWidget*, const QString& text, const QString&) override {
        questions.push_back(text);
        return false;
    }

private:
    static QString take(std::deque<QString>& queue) {
        const QString front = queue.empty() ? QString() : queue.front();
        if (!queue.empty()) queue.pop_front();
        return front;
    }
};

}  // namespace quillory::test
