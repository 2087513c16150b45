#pragma once
// Answers every modal question of a test in order and records what was asked. Questions beyond the
// script are answered with Cancel. With onDialog set, the program's own dialogs take no answer: onDialog
// works their items instead, as the user would, and the dialogs they open are answered in order.

#include "platform/Modal.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

struct ScriptedAnswers {
    ScriptedAnswers() {
        SetModalResponder([this](const ModalQuestion& q) {
            asked.push_back(q);
            ModalAnswer a;
            if (q.dialog && onDialog)
                onDialog(q.dialog);
            else if (!answers.empty()) {
                a = answers.front();
                answers.pop_front();
            }
            return a;
        });
    }
    ~ScriptedAnswers() { SetModalResponder({}); }
    ScriptedAnswers(const ScriptedAnswers&) = delete;
    ScriptedAnswers& operator=(const ScriptedAnswers&) = delete;

    ScriptedAnswers& Then(int result, const std::string& path = {}) {
        ModalAnswer a;
        a.result = result;
        a.path = path;
        answers.push_back(a);
        return *this;
    }

    int Count(ModalKind kind) const {
        return int(std::count_if(asked.begin(), asked.end(),
                                 [kind](const ModalQuestion& q) { return q.kind == kind; }));
    }
    const ModalQuestion* Last(ModalKind kind) const {
        auto it = std::find_if(asked.rbegin(), asked.rend(),
                               [kind](const ModalQuestion& q) { return q.kind == kind; });
        return it == asked.rend() ? nullptr : &*it;
    }

    std::vector<ModalQuestion> asked;
    std::deque<ModalAnswer> answers;
    std::function<void(CDialog*)> onDialog;
};
