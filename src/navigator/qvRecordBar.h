// SPDX-License-Identifier: MIT
// qvRecordBar: the record-navigation bar. A user control holding a frame of
// ten picture buttons (First, Previous, Next, Last, Find, Add, Delete, Edit,
// Save, Cancel) and a status line, that drives the recordset of a data
// control on its form and tells the form about each add, edit and save.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "host/data_contract.h"
#include "host/member_registry.h"
#include "host/user_control.h"

namespace qv::host {
class CommandButton;
class ControlFactory;
class Frame;
class Label;
class Line;
class StepRunner;
}  // namespace qv::host

namespace qv::navigator {

// The border styles of the bar (values of BorderStyle).
namespace border_style {
inline constexpr std::int16_t NoBorder = 0;
inline constexpr std::int16_t ThinRaised = 1;
inline constexpr std::int16_t ThickRaised = 2;
inline constexpr std::int16_t ThinInset = 3;
inline constexpr std::int16_t ThickInset = 4;
inline constexpr std::int16_t Etched = 5;
inline constexpr std::int16_t Bump = 6;
}  // namespace border_style

// Dispatch identifiers of the bar's members.
namespace dispid {
inline constexpr host::DispId BorderStyle = 0x68030000;
inline constexpr host::DispId MSDataControl = 0x68030001;
inline constexpr host::DispId DataSource = 0x68030002;
inline constexpr host::DispId SearchField = 0x68030003;
inline constexpr host::DispId StatusVisible = 0x68030004;
inline constexpr host::DispId Enabled = 0x68030005;
inline constexpr host::DispId FormObject = 0x68030006;
inline constexpr host::DispId GetDataControls = 0x6003000E;
inline constexpr host::DispId About = host::DispIdAboutBox;
}  // namespace dispid

// One event the bar raises to its form (no arguments).
struct RecordBarEvent {
    const char* name;
    host::DispId dispId;
};

class qvRecordBar : public host::UserControl, public host::RecordDriver {
  public:
    static constexpr int ButtonCount = 10;
    // Button indexes.
    enum Button : std::int16_t {
        FirstRecord = 0,
        PreviousRecord,
        NextRecord,
        LastRecord,
        FindRecord,
        AddRecord,
        DeleteRecord,
        EditRecord,
        SaveChanges,
        CancelChanges,
    };

    qvRecordBar();
    ~qvRecordBar() override;

    // Registers the type "qvRecordBar" with `factory` so form files can
    // create it.
    static void registerType(host::ControlFactory& factory);

    // The user control's members plus FormObject, Enabled, StatusVisible,
    // About, SearchField, DataSource, MSDataControl, GetDataControls and
    // BorderStyle, with their dispatch identifiers and saved keys.
    static const host::MemberRegistry& recordBarMembers();
    const host::MemberRegistry& members() const override { return recordBarMembers(); }
    bool is(host::ObjectKind kind) const override {
        return kind == host::ObjectKind::RecordBar || UserControl::is(kind);
    }
    // The property page a host opens for the bar, from its page list and
    // from the property linked to it.
    static constexpr const char* PropertyPageName = "ppData";
    static constexpr const char* PropertyPageLink = "MSDataControl";
    // The events, in declaration order: BeforeUpdate (1) ... AfterCancel (7).
    static std::span<const RecordBarEvent> events();

    // ---- Properties and methods. ----
    // The first control of the form (ParentControls item 0), or nothing when
    // the host cannot supply it.
    host::ObjectRef FormObject() const;
    // Sets the enabled state and marks "Enabled" changed.
    void setEnabledProperty(bool enabled);
    bool StatusVisible() const noexcept { return m_statusVisible; }
    // Stores the value, shows or hides the status label, raises the width to
    // 5715 when narrower, repaints and marks "StatusVisible" changed.
    void setStatusVisible(bool visible);
    const std::string& SearchField() const noexcept { return m_searchField; }
    void setSearchField(std::string field);
    // The data control the bar drives, or nothing.
    const host::ObjectRef& DataSource() const noexcept { return m_dataSource; }
    void setDataSource(host::ObjectRef dataSource);
    const std::string& MSDataControl() const noexcept { return m_msDataControl; }
    // Stores the name only: a data control already held stays in use.
    void setMSDataControl(std::string name);
    std::int16_t BorderStyle() const noexcept { return m_borderStyle; }
    // Repaints when the value changes; always marks "BorderStyle" changed.
    // Values outside 0 to 6 are kept and draw no border.
    void setBorderStyle(std::int16_t style);
    // Shows the About box modally and returns once it is closed.
    void About();
    // Appends the names of the form's data controls to `list` (any object
    // with AddItem). Fails with 91 while the bar is on no form.
    void GetDataControls(host::Object& list);

    // ---- The bar's constituent controls. ----
    // They sit on the inner form constituents() (fraButtonbar, Buttonbar(0)
    // to Buttonbar(9), Line1, Line2 and lblStatus, in tab order), placed when
    // the host initializes the bar or on first use of these accessors.
    // Buttonbar(index); index must be 0 to 9.
    host::CommandButton& Buttonbar(std::int16_t index);
    host::Label& lblStatus();
    host::Frame& fraButtonbar();
    host::Line& Line1();
    host::Line& Line2();
    // The status label's caption.
    std::string statusText() const;
    // `listener` hears every change of the status label's caption.
    void setStatusListener(std::function<void(const std::string&)> listener) {
        m_statusListener = std::move(listener);
    }

    // Clicks Buttonbar(index) as the user does. Nothing happens, and false is
    // returned, while the bar or that button is disabled or the index is not
    // a button's. Errors of the click's message boxes pass to the caller.
    bool clickButton(std::int16_t index);

    // Every click of a bar button arrives here. Resolves the data control,
    // then runs the button's action under the error report. When a failure
    // was ignored or aborted, the bar then shows the recordset's edit mode.
    // Message boxes that cannot be shown (no answer for a scripted box, no
    // message-box service) fail with their Error, and any other fault leaves
    // as an internal error (51): nothing but an Error escapes.
    void ButtonBar_Click(std::int16_t Index);

    // RecordDriver: the bar drives the data control it holds, or else the one
    // MSDataControl names. Typing into a bound box with nothing pending
    // clicks the Edit button: not while the bar or the button is disabled.
    bool drives(const host::DataControl& data) const override;
    bool startEdit() override { return clickButton(EditRecord); }

  protected:
    void UserControl_Initialize() override { buildParts(); }
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(const host::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(host::PropertyBag& PropBag) override;
    void UserControl_Resize() override;
    void UserControl_Paint() override;
    // The bar lets go of its data source as it ends: a source that refers
    // back to the bar (or is the bar itself) would otherwise keep both alive.
    void UserControl_Terminate() override { m_dataSource = nullptr; }

  private:
    struct ClickState;

    static host::MemberRegistry makeMembers();
    // The six saved properties in saving order (the bar's own persisted members).
    static std::vector<const host::Member*> savedProperties();
    // Places the constituent controls once; later calls do nothing.
    void buildParts();
    void Draw3DBox(float X, float Y, float W, float H);
    // Sets the status label's caption, when the status line is shown.
    void writeStatus(const std::string& text);
    // The data control's current recordset: Recordset is read anew each time.
    host::ObjectRef recordset() const;
    // Shows one of the bar's own message boxes; a box that cannot be shown
    // fails with a fault the error report does not catch.
    static int ask(const std::string& prompt, std::int32_t style, const std::string& title);

    // ButtonBar_Click without its boundary.
    void runClick(std::int16_t Index);
    // Sets the buttons and the status from the recordset's EditMode: the
    // browse look and an empty status with nothing pending, the look and
    // status of Add or Edit with a new record or an edit pending. When the
    // mode cannot be read the bar stays as it is. Fails only when the form's
    // handlers of the status or the buttons do.
    void showEditMode();

    // The steps of each action, added to `steps` in written order.
    void moveSteps(host::StepRunner& steps, ClickState& state, std::int16_t index);
    void findSteps(host::StepRunner& steps);
    void addSteps(host::StepRunner& steps);
    void deleteSteps(host::StepRunner& steps, ClickState& state);
    void editSteps(host::StepRunner& steps, ClickState& state);
    void saveSteps(host::StepRunner& steps);
    void cancelSteps(host::StepRunner& steps);
    // One step per button: 0 to 7 get `browse`, then 8 and 9 get its
    // opposite. With `skip`, each step does nothing while *skip is true when
    // it runs (`skip` must outlive the run).
    void switchSteps(host::StepRunner& steps, bool browse, const bool* skip = nullptr);
    // Whether Buttonbar(index) is enabled in browse mode (`browse`) or in
    // the pending mode: 0 to 7 only in browse, 8 and 9 only while pending.
    static bool enabledIn(std::int16_t index, bool browse) {
        return index < SaveChanges ? browse : !browse;
    }

    bool m_statusVisible = true;
    std::string m_searchField;
    host::ObjectRef m_dataSource;
    std::string m_msDataControl;
    std::int16_t m_borderStyle = border_style::ThinRaised;

    std::shared_ptr<host::Form> m_parts;
    std::shared_ptr<host::Frame> m_fraButtonbar;
    std::array<std::shared_ptr<host::CommandButton>, ButtonCount> m_buttons;
    std::shared_ptr<host::Line> m_line1;
    std::shared_ptr<host::Line> m_line2;
    std::shared_ptr<host::Label> m_lblStatus;
    std::function<void(const std::string&)> m_statusListener;
};

}  // namespace qv::navigator
