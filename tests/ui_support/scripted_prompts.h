#pragma once
// Prompts for window tests: answers come from queues the test fills, and
// every message, save dialog and folder dialog shown is recorded. An empty
// queue answers as a cancel (an empty name, "no").
#include <QMessageBox>
#include <QString>
#include <deque>
#include <functional>
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
    std::deque<bool> answers;         // answers to ask

    std::vector<ShownMessage> messages;
    std::vector<ui::SaveDialogSpec> saveDialogs;
    std::vector<QString> folderTitles;
    std::vector<QString> questions;
    // Runs inside message(), after it is recorded: lets a test act while a
    // message stands, as a user could.
    std::function<void(const ShownMessage&)> onMessage;

    void message(QWidget*, const QString& text, const QString& title, QMessageBox::Icon icon) override {
        messages.push_back({text, title, icon});
        if (onMessage) onMessage(messages.back());
    }
    QString saveFileName(QWidget*, const ui::SaveDialogSpec& spec) override {
        saveDialogs.push_back(spec);
        return take(saveNames, QString());
    }
    QString folderName(QWidget*, const QString& title, const QString&) override {
        folderTitles.push_back(title);
        return take(folderNames, QString());
    }
    bool ask(QWidget*, const QString& text, const QString&) override {
        questions.push_back(text);
        return take(answers, false);
    }

private:
    template <class T>
    static T take(std::deque<T>& queue, T whenEmpty) {
        if (queue.empty()) return whenEmpty;
        T front = std::move(queue.front());
        queue.pop_front();
        return front;
    }
};

}  // namespace quillory::test
