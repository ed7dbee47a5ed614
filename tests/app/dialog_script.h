#pragma once

#include "app/dialogs/prompts.h"

namespace yilou::testing {

/// Answers the window's prompts in order, as a user would, for as long as it lives: each prompt
/// takes the next answer queued with ok(), cancel(), enter() or choose(), and seen() records
/// the title and text of every one.
class DialogScript : public app::PromptScript {
public:
    DialogScript() : scripted_(*this) {}

private:
    app::Prompts::Scripted scripted_;
};

} // namespace yilou::testing
