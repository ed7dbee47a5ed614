#include "cli/update_command.h"

#include "core/user_error.h"
#include "session/history_steps.h"
#include "session/messages.h"
#include "session/online_update.h"

#include <CLI/CLI.hpp>

namespace yilou::cli {

namespace {

/// Reads a date typed as YYYY-MM-DD.
history::CalendarDate parseDateArgument(const std::string& text) {
    const auto digitsAt = [&](std::size_t from, std::size_t count) {
        for (std::size_t i = from; i < from + count; ++i)
            if (text[i] < '0' || text[i] > '9')
                return false;
        return true;
    };
    if (text.size() == 10 && text[4] == '-' && text[7] == '-' && digitsAt(0, 4) && digitsAt(5, 2) &&
        digitsAt(8, 2)) {
        const history::CalendarDate date{std::stoi(text.substr(0, 4)), std::stoi(text.substr(5, 2)),
                                         std::stoi(text.substr(8, 2))};
        if (history::isValidDate(date))
            return date;
    }
    throw InputError(messages::invalidDate(text));
}

} // namespace

void addUpdateCommand(CLI::App& app, CliContext& context) {
    auto* command = app.add_subcommand("update", "从开奖结果网页在线更新历史号码");
    auto url = std::make_shared<std::string>();
    auto today = std::make_shared<std::string>();
    command->add_option("--url", *url,
                        "这一次使用的地址模板（不保存）；{code} 代表彩种代码，{n} 代表期数");
    command->add_option("--today", *today, "按这一天更新（YYYY-MM-DD，默认今天）");
    command->callback([&context, url, today] {
        const auto date = today->empty() ? history::today() : parseDateArgument(*today);
        std::string urlTemplate = url->empty() ? context.settings().UpdateUrl() : *url;
        if (urlTemplate.empty())
            throw UserError(messages::noUpdateAddressGiven());
        const auto request = session::onlineUpdateRequest(
            std::move(urlTemplate), context.settings().IniSerchDay(), context.choices(), date);
        context.out << session::updateHistoryOnline(context.dbForChange(), request).summary()
                    << '\n';
    });
}

} // namespace yilou::cli
