// SPDX-License-Identifier: MIT
#include "command_executor.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <iterator>

#include "data/data_control.h"
#include "data/data_control_view.h"
#include "form_session.h"
#include "host/command_button.h"
#include "host/data_contract.h"
#include "host/form.h"
#include "host/form_runner.h"
#include "host/form_runner_control.h"
#include "host/member_registry.h"
#include "host/modal_show.h"
#include "host/option_button.h"
#include "host/user_control.h"
#include "navigator/qvRecordBar.h"
#include "platform/user/input.h"
#include "platform/user/message_loop.h"
#include "platform/user/thread_state.h"
#include "screenshot.h"
#include "search/frmDBSearch.h"
#include "transcript.h"
#include "transcript_message_boxes.h"

namespace qv::qvform {

namespace {

// A command that cannot be carried out; execute() adds the line.
struct CommandFault {
    std::string reason;
};

[[noreturn]] void refuse(std::string reason) {
    throw CommandFault{std::move(reason)};
}

struct NamedKey {
    const char* name;
    UINT vk;
};
constexpr NamedKey kKeys[] = {
    {"Enter", VK_RETURN}, {"Esc", VK_ESCAPE},     {"Escape", VK_ESCAPE}, {"Tab", VK_TAB},
    {"Space", VK_SPACE},  {"Backspace", VK_BACK}, {"Delete", VK_DELETE}, {"Left", VK_LEFT},
    {"Right", VK_RIGHT},  {"Home", VK_HOME},      {"End", VK_END},
};

// The virtual key of a key name: a named key or a single letter or digit.
std::optional<UINT> keyOf(const std::string& name) {
    for (const NamedKey& key : kKeys) {
        if (host::sameName(key.name, name)) return key.vk;
    }
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        return static_cast<UINT>(std::toupper(static_cast<unsigned char>(name[0])));
    }
    return std::nullopt;
}

// The value of `set`: True and False, whole and decimal numbers, "quoted
// text" (quotes removed); anything else is text as written.
host::Variant valueOf(const std::string& text) {
    if (host::sameName(text, "True")) return host::Variant(true);
    if (host::sameName(text, "False")) return host::Variant(false);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        return host::Variant(text.substr(1, text.size() - 2));
    }
    const char* first = text.data();
    const char* last = first + text.size();
    long long whole = 0;
    if (auto [end, ec] = std::from_chars(first, last, whole); ec == std::errc() && end == last) {
        if (whole >= -32768 && whole <= 32767)
            return host::Variant(static_cast<std::int16_t>(whole));
        if (whole >= INT32_MIN && whole <= INT32_MAX) {
            return host::Variant(static_cast<std::int32_t>(whole));
        }
    }
    double real = 0;
    if (auto [end, ec] = std::from_chars(first, last, real); ec == std::errc() && end == last) {
        return host::Variant(real);
    }
    return host::Variant(text);
}

// A value as `print NAME.PROPERTY` shows it: "text" with inner quotes
// doubled, a decimal number, True, False, Nothing, Null or Empty.
std::string transcriptValue(const host::Variant& value) {
    switch (value.type()) {
        case host::VarType::Empty:
            return "Empty";
        case host::VarType::Null:
            return "Null";
        case host::VarType::Boolean:
            return value.toBoolean() ? "True" : "False";
        case host::VarType::Object:
            if (value.isNothing()) return "Nothing";
            refuse("the value is an object; name one of its properties");
        case host::VarType::Integer:
        case host::VarType::Long:
        case host::VarType::Single:
        case host::VarType::Double:
            return value.toString();
        case host::VarType::Date:
        case host::VarType::String:
            break;
    }
    std::string quoted = "\"";
    for (char c : value.toString()) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted + "\"";
}

std::string stepText(const PathStep& step) {
    return step.hasIndex ? step.name + "(" + std::to_string(step.index) + ")" : step.name;
}

}  // namespace

void CommandExecutor::run(const std::vector<ScriptCommand>& commands) {
    m_commands = &commands;
    m_next = 0;
    // A modal form shown by a command runs the commands that follow it: the
    // form either hands its loop to the runner, or runs the window loop,
    // which asks the idle hook for input whenever it has nothing to do.
    host::ScopedModalLoop loop([this](host::Form& form) { runCommands(&form); });
    struct IdleHook {
        explicit IdleHook(std::function<bool()> hook) { user::setIdleHandler(std::move(hook)); }
        ~IdleHook() { user::setIdleHandler(nullptr); }
        IdleHook(const IdleHook&) = delete;
        IdleHook& operator=(const IdleHook&) = delete;
    } idle([this] { return onIdle(); });
    runCommands(nullptr);
}

bool CommandExecutor::onIdle() {
    host::Form& active = activeForm();
    if (&active == m_session.form().get()) return false;  // no modal form waits for input
    if (m_next >= m_commands->size()) {
        throw RunFailure("the script ended while " + active.Name() + " was open");
    }
    execute((*m_commands)[m_next++]);
    return true;
}

void CommandExecutor::runCommands(host::Form* modal) {
    if (modal) m_modal.push_back(modal);
    struct Pop {
        std::vector<host::Form*>& stack;
        bool active;
        ~Pop() {
            if (active) stack.pop_back();
        }
    } pop{m_modal, modal != nullptr};
    while (!modal || modal->loaded()) {
        if (m_next >= m_commands->size()) {
            if (!modal) return;
            throw RunFailure("the script ended while " + modal->Name() + " was open");
        }
        execute((*m_commands)[m_next++]);
    }
}

void CommandExecutor::execute(const ScriptCommand& command) {
    m_transcript.command(command.text);
    const std::string where = "line " + std::to_string(command.line) + " (" + command.text + "): ";
    try {
        switch (command.kind) {
            case CommandKind::Click:
                click(command);
                break;
            case CommandKind::Type:
                typeText(command);
                break;
            case CommandKind::Key:
                pressKey(command);
                break;
            case CommandKind::Answer:
                m_boxes.queueAnswer(command.number);
                break;
            case CommandKind::Print:
                if (command.target.empty()) {
                    m_session.printRecords();
                } else {
                    printValue(command);
                }
                break;
            case CommandKind::Set:
                setProperty(command);
                break;
            case CommandKind::FailNext:
                failNext(command);
                break;
            case CommandKind::Shot:
                // An open property page is what the designer looks at.
                writeFormShot(m_design.pageForm() ? *m_design.pageForm() : activeForm(),
                              command.target);
                break;
            case CommandKind::Move:
                movePointer(command);
                break;
            case CommandKind::Signal:
            case CommandKind::Wait:
                syncWith(command);
                break;
            case CommandKind::Page:
                m_design.openPage(*m_session.form(), command.target, command.argument);
                break;
            case CommandKind::Apply:
                m_design.apply();
                break;
            case CommandKind::Save:
                DesignCommands::save(*m_session.form(),
                                     command.target.empty() ? m_session.path() : command.target);
                break;
        }
        user::pumpMessages();
        // A handler that failed while the input was delivered fails the command.
        if (auto failed = host::FormRunner::takePendingError()) throw *failed;
    } catch (const CommandFault& fault) {
        throw RunFailure(where + fault.reason);

    } catch (const host::Error& e) {
        throw RunFailure(where + "error " + std::to_string(e.number()) + " from " + e.source() +
                         ": " + e.description());
    } catch (const std::runtime_error& e) {
        if (dynamic_cast<const RunFailure*>(&e)) throw;
        throw RunFailure(where + e.what());
    }
}

host::Form& CommandExecutor::activeForm() const {
    if (!m_modal.empty()) return *m_modal.back();
    if (host::Form* page = m_design.pageForm()) return *page;
    // A dialog shown in a window loop: the one modal form of this version.
    if (search::frmDBSearch::instanceExists()) {
        if (auto dialog = search::frmDBSearch::instance(); dialog->loaded()) return *dialog;
    }
    return *m_session.form();
}

CommandExecutor::Target CommandExecutor::resolve(const std::vector<PathStep>& steps,
                                                 const std::string& text, bool forInput) const {
    if (steps.empty()) refuse("malformed name \"" + text + "\"");
    host::Form* root = &activeForm();
    host::Form& main = *m_session.form();
    if (!forInput && root != &main) {
        // Reading takes no input: the form under an open dialog can be read.
        const bool namesRoot = !steps[0].hasIndex && host::sameName(steps[0].name, root->Name());
        const bool namesMain = !steps[0].hasIndex && host::sameName(steps[0].name, main.Name());
        if (namesMain || (!namesRoot && !root->find(steps[0].name) && main.find(steps[0].name))) {
            root = &main;
        }
    }
    host::Form& active = *root;
    Target target{active.shared_from_this()};
    std::size_t first = 0;  // the first step naming a control
    if (!steps[0].hasIndex && host::sameName(steps[0].name, active.Name())) {
        first = 1;
    } else if (&active != m_session.form().get() &&
               host::sameName(steps[0].name, m_session.form()->Name())) {
        refuse(m_session.form()->Name() + " does not take input while " + active.Name() +
               " is open");
    }
    for (std::size_t at = first; at < steps.size(); ++at) {
        const PathStep& step = steps[at];
        const auto index = step.hasIndex ? std::optional<std::int16_t>(step.index) : std::nullopt;
        std::shared_ptr<host::Control> found;
        if (auto* form = dynamic_cast<host::Form*>(target.object.get())) {
            found = form->find(step.name, index);
            if (!found && form != m_session.form().get() && m_session.form()->find(step.name)) {
                refuse(stepText(step) + " is on " + m_session.form()->Name() +
                       ", which takes no input while " + form->Name() + " is open");
            }
            if (!found) refuse(form->Name() + " has no control " + stepText(step));
        } else if (auto* bar = dynamic_cast<navigator::qvRecordBar*>(target.object.get())) {
            found = bar->constituents()->find(step.name, index);
            if (!found) refuse(host::displayName(*bar) + " has no control " + stepText(step));
            if (host::sameName(step.name, "Buttonbar") && step.hasIndex) {
                target.bar = bar;
                target.index = step.index;
            }
        } else {
            refuse(stepText(steps[at - 1]) + " holds no control " + stepText(step));
        }
        target.object = found;
    }
    return target;
}

// A data control's arrow named as the last step of a click's path.
static std::optional<data::DataControlView::Part> arrowOf(const PathStep& step) {
    using Part = data::DataControlView::Part;
    if (step.hasIndex) return std::nullopt;
    for (const auto& [name, part] :
         {std::pair{"First", Part::First}, std::pair{"Previous", Part::Previous},
          std::pair{"Next", Part::Next}, std::pair{"Last", Part::Last}}) {
        if (host::sameName(step.name, name)) return part;
    }
    return std::nullopt;
}

bool CommandExecutor::clickArrow(const ScriptCommand& command) {
    auto steps = splitPath(command.target);
    if (steps.size() < 2) return false;
    const auto part = arrowOf(steps.back());
    if (!part) return false;
    steps.pop_back();
    Target target = resolve(steps, command.target);
    auto* dataControl = dynamic_cast<data::DataControl*>(target.object.get());
    if (!dataControl) return false;
    data::DataControlView* view = m_session.viewOf(*dataControl);
    if (!view || !view->hwnd()) refuse(command.target + " has no window to click");
    // A real click in the middle of the arrow, through the control's window.
    RECT client;
    GetClientRect(view->hwnd(), &client);
    const RECT r = data::DataControlView::partRect(client, *part);
    POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(view->hwnd(), &middle);
    user::click(middle.x, middle.y);
    return true;
}

void CommandExecutor::click(const ScriptCommand& command) {
    if (clickArrow(command)) return;
    Target target = resolve(splitPath(command.target), command.target);
    if (target.bar) {
        auto* bar = static_cast<navigator::qvRecordBar*>(target.bar);
        if (!bar->clickButton(static_cast<std::int16_t>(target.index))) {
            m_transcript.disabled(command.target);
        }
    } else if (auto* button = dynamic_cast<host::CommandButton*>(target.object.get())) {
        if (!button->press()) m_transcript.disabled(command.target);
    } else if (auto* option = dynamic_cast<host::OptionButton*>(target.object.get())) {
        // A click focuses the option button and chooses it.
        option->SetFocus();
        option->setValue(true);
    } else if (auto* windowed = dynamic_cast<host::FormRunnerControl*>(target.object.get())) {
        windowed->SetFocus();
    } else if (auto* drawn = dynamic_cast<host::UserControl*>(target.object.get());
               drawn && drawn->hWnd()) {
        // A control of the library is clicked with the mouse in its middle.
        POINT middle{drawn->surface().width() / 2, drawn->surface().height() / 2};
        ClientToScreen(drawn->hWnd(), &middle);
        user::click(middle.x, middle.y);
    } else {
        refuse(command.target + " cannot be clicked");
    }
}

void CommandExecutor::movePointer(const ScriptCommand& command) {
    Target target = resolve(splitPath(command.target), command.target);
    auto* control = dynamic_cast<host::Control*>(target.object.get());
    if (!control || !control->hWnd()) refuse(command.target + " has no window to move over");
    POINT at{command.number, command.y};
    ClientToScreen(control->hWnd(), &at);
    user::mouseMove(at.x, at.y);
}

void CommandExecutor::focus(const std::string& path) {
    Target target = resolve(splitPath(path), path);
    auto* windowed = dynamic_cast<host::FormRunnerControl*>(target.object.get());
    if (!windowed) refuse(path + " cannot take the focus");
    windowed->SetFocus();
}

void CommandExecutor::typeText(const ScriptCommand& command) {
    focus(command.target);
    user::typeText(command.argument);
}

void CommandExecutor::pressKey(const ScriptCommand& command) {
    // Modifiers come first, joined with '+': Shift+Tab, Alt+N, Ctrl+Shift+End.
    struct Modifier {
        const char* name;
        UINT flag;
    };
    constexpr Modifier kModifiers[] = {{"Shift", MK_SHIFT}, {"Ctrl", MK_CONTROL}, {"Alt", MK_ALT}};
    std::string name = command.argument;
    UINT modifiers = 0;
    for (std::size_t plus = name.find('+'); plus != std::string::npos && plus + 1 < name.size();
         plus = name.find('+')) {
        const std::string prefix = name.substr(0, plus);
        const auto* modifier = std::ranges::find_if(
            kModifiers, [&](const Modifier& m) { return host::sameName(m.name, prefix); });
        if (modifier == std::end(kModifiers)) break;
        modifiers |= modifier->flag;
        name.erase(0, plus + 1);
    }
    const auto vk = keyOf(name);
    if (!vk) refuse("unknown key \"" + command.argument + "\"");
    focus(command.target);
    user::pressKey(*vk, modifiers);
}

void CommandExecutor::setProperty(const ScriptCommand& command) {
    auto steps = splitPath(command.target);
    if (steps.size() < 2 || steps.back().hasIndex) refuse("expects NAME.PROPERTY");
    const std::string property = steps.back().name;
    steps.pop_back();
    Target target = resolve(steps, command.target);
    const host::Member* member = target.object->members().find(property);
    if (member && member->byReference) {
        if (host::sameName(command.argument, "Nothing")) {
            target.object->set(property, host::Variant::nothing());
        } else {
            host::ObjectRef value = resolve(splitPath(command.argument), command.argument).object;
            // A data control handed to a control goes behind its stand-in, so
            // that planned failures reach the calls made through it.
            if (auto data = std::dynamic_pointer_cast<host::DataControl>(value)) {
                value = m_session.standInFor(data);
            }
            target.object->set(property, host::Variant(value));
        }
        return;
    }
    target.object->let(property, valueOf(command.argument));
}

void CommandExecutor::printValue(const ScriptCommand& command) {
    auto steps = splitPath(command.target);
    if (steps.size() < 2 || steps.back().hasIndex) refuse("expects NAME.PROPERTY");
    const std::string property = steps.back().name;
    steps.pop_back();
    Target target = resolve(steps, command.target, false);
    if (!target.object->members().find(property)) {
        refuse(command.target + " names no property");
    }
    m_transcript.value(command.target, transcriptValue(target.object->get(property)));
}

RunHarness& CommandExecutor::harness() const {
    RunHarness* harness = m_session.harness();
    if (!harness) refuse("planned failures and sync markers belong to qvform's own runs");
    return *harness;
}

void CommandExecutor::syncWith(const ScriptCommand& command) {
    RunHarness& markers = harness();
    try {
        if (command.kind == CommandKind::Signal) {
            markers.signal(command.argument);
        } else {
            markers.wait(command.argument);
        }
    } catch (const std::runtime_error& e) {
        refuse(e.what());
    }
}

void CommandExecutor::failNext(const ScriptCommand& command) {
    auto steps = splitPath(command.target);
    const std::string member = steps.back().name;
    steps.pop_back();
    RunHarness& plan = harness();
    if (!plan.plansFailuresOf(member)) refuse("a recordset has no member " + member);
    if (steps.empty() || !host::sameName(steps.back().name, "Recordset") || steps.back().hasIndex) {
        refuse("expects Recordset.METHOD or DATACONTROL.Recordset.METHOD");
    }
    steps.pop_back();
    std::string owner;
    if (!steps.empty()) {
        Target target = resolve(steps, command.target);
        if (!target.object->is(host::ObjectKind::DataControl)) {
            refuse(stepText(steps.back()) + " is not a data control");
        }
        owner = host::displayName(static_cast<host::Control&>(*target.object));
    }
    plan.failNext(owner, member, command.number);
}

}  // namespace qv::qvform
