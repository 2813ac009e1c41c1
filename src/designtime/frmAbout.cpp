// SPDX-License-Identifier: MIT
#include "designtime/frmAbout.h"

#include "frame/library_app.h"
#include "frame/version_info.h"
#include "host/command_button.h"
#include "host/form_runner.h"
#include "host/frame.h"
#include "host/label.h"
#include "host/modal_show.h"

namespace qv::designtime {

namespace {

constexpr std::int16_t kCentre = 2;

std::string versionText(const char* name) {
    return frame::libraryVersion().text(name).value_or("");
}

}  // namespace

frmAbout::frmAbout() : host::Form("frmAbout") {
    setCaption(DesignCaption);
    setBounds({0, 0, 4545, 2235});  // the client area
}

void frmAbout::showDialog() {
    showDialog(std::make_shared<frmAbout>());
}

void frmAbout::showDialog(const std::shared_ptr<frmAbout>& dialog) {
    host::showModal(dialog);
    // Closed by OK or the close box; unloading again is harmless and makes
    // sure nothing of this showing stays behind.
    if (dialog->loaded()) host::FormRunner::Unload(dialog);
}

void frmAbout::Form_Load() {
    // The library's own title, not that of the program hosting it.
    const std::string title = frame::libraryApp().title();
    // From the design caption, so a second load does not add the title twice.
    setCaption(std::string(DesignCaption) + title);

    // Unload removes the controls, so each load places them afresh.
    m_frame1 = std::make_shared<host::Frame>();
    add(m_frame1, "Frame1", std::nullopt, {60, 600, 4395, 1095});
    m_frame1->setTabIndex(0);
    auto version = std::make_shared<host::Label>();
    add(version, "lblVersion", std::nullopt, {120, 240, 4155, 255}, m_frame1);
    version->setCaption("Version " + versionText("FileVersion") + " (" +
                        versionText("OriginalFilename") + ")");
    auto description = std::make_shared<host::Label>();
    add(description, "lblDescription", std::nullopt, {120, 600, 4155, 255}, m_frame1);
    description->setCaption(versionText("FileDescription"));

    m_cmdOK = std::make_shared<host::CommandButton>();
    add(m_cmdOK, "cmdOK", std::nullopt, {3540, 1800, 855, 315});
    m_cmdOK->setCaption("OK");
    m_cmdOK->setTabIndex(1);
    // The box has one answer: Enter and Esc both give it.
    m_cmdOK->setDefault(true);
    m_cmdOK->setCancel(true);
    events().on("cmdOK", "Click", [this](auto, auto) { cmdOK_Click(); });

    m_label1 = std::make_shared<host::Label>();
    add(m_label1, "Label1", std::nullopt, {0, 0, 4470, 285});
    m_label1->setAlignment(kCentre);
    m_label1->setFontName("MS Sans Serif");
    m_label1->setFontSize(8.25f);
    m_label1->setFontBold(true);
    m_label1->setTabIndex(5);
    m_label1->setCaption(versionText("CompanyName") + " - " + title);
}

void frmAbout::cmdOK_Click() {
    host::FormRunner::Unload(std::static_pointer_cast<host::Form>(shared_from_this()));
}

}  // namespace qv::designtime
