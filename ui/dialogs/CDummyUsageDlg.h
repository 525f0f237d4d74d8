#pragma once

#include <array>

#include "eds/EdsSections.h"
#include "platform/SectionDialogs.h"
#include "ui/dialogs/CSectionDialog.h"
#include "ui/dialogs/DummyUsageBoxes.h"

class QCheckBox;

// "DummyEntries": one box per dummy data type 1..7. OK stores all seven slots.
class CDummyUsageDlg : public CSectionDialog, public DummyUsageDialog {
    Q_OBJECT
public:
    CDummyUsageDlg(Platform& platform, const QtText& qtText, QWidget* parent);

    void Load(const DummyUsageSection& record) override;
    bool Run() override { return RunModal(); }
    void Store(DummyUsageSection& record) const override { StoreDummyBoxes(m_checked, record); }

private:
    bool Validate() override;

    std::array<QCheckBox*, DummyUsageSection::SlotCount> m_boxes{};
    DummyBoxes m_checked{};
};
