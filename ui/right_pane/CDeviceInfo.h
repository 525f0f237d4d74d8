#pragma once

#include <QWidget>
#include <vector>

#include "document/DocumentView.h"
#include "ui/app/QtText.h"

class CQuillmarkDoc;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QRadioButton;

// Read-only form of the EDS DeviceInfo section.
class CDeviceInfo : public QWidget, public DocumentView {
    Q_OBJECT
public:
    explicit CDeviceInfo(CQuillmarkDoc& document, QWidget* parent = nullptr);
    ~CDeviceInfo() override;

    void OnUpdate(std::uint32_t hint, const HintObject& object) override;

private:
    void Show(const DeviceInfoSection& section);
    void Clear();
    void SetBootUp(bool master, bool slave);

    CQuillmarkDoc& m_document;
    QtText m_qtText;
    QLabel* m_vendorName = nullptr;
    QLabel* m_vendorNumber = nullptr;
    QLabel* m_revisionNumber = nullptr;
    QLabel* m_productName = nullptr;
    QLabel* m_productNumber = nullptr;
    QLabel* m_orderCode = nullptr;
    QLabel* m_granularity = nullptr;
    QLabel* m_dynamicChannels = nullptr;
    QLabel* m_rxPdo = nullptr;
    QLabel* m_txPdo = nullptr;
    QCheckBox* m_lss = nullptr;
    QCheckBox* m_groupMessaging = nullptr;
    // 10, 20, 50, 125, 250, 500, 800, 1000 kBit/s.
    std::vector<QCheckBox*> m_baudrates;
    QButtonGroup* m_bootUp = nullptr;
    QRadioButton* m_master = nullptr;
    QRadioButton* m_slave = nullptr;
};
