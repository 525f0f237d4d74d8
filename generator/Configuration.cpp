#include "generator/CSourceGenerator.h"
#include "model/SubindexEntry.h"

namespace {

// The sizes the user may tune by hand, and the line that closes the include guard.
const char* const FixedConfigurationLines[] = {
    "\r\n#define     NMTM_MAX_SLAVE_ENTRIES           4\r\n",
    "#define     EMCC_MAX_CONSUMER                10\r\n",
    "\r\n#define     CDRV_MAX_RX_BUFF_ENTRIES_HIGH    10\r\n",
    "#define     CDRV_MAX_TX_BUFF_ENTRIES_HIGH    10\r\n",
    "#define     CDRV_MAX_RX_BUFF_ENTRIES_LOW     10\r\n",
    "#define     CDRV_MAX_TX_BUFF_ENTRIES_LOW     10\r\n",
    "\r\n#define     COB_MAX_RX_COB_ENTRIES           10\r\n",
    "#define     COB_MAX_TX_COB_ENTRIES           10\r\n",
    "\r\n#endif //_OBDDEF_H_\r\n",
};

bool IsListMember(std::uint16_t subindex) {
    return subindex != 0x00 && subindex != HeaderStructured && subindex != HeaderSingle;
}

}  // namespace

void CSourceGenerator::CountListEntry(std::uint16_t indexNumber, std::uint16_t subindexNumber) {
    if (indexNumber == 0x1003 && IsListMember(subindexNumber)) {
        ++m_nErrorFieldEntries;
    } else if (indexNumber == 0x1016 && IsListMember(subindexNumber)) {
        ++m_nHeartbeatConsumers;
    }
}

GenerationResult CSourceGenerator::WriteConfiguration() {
    WritableFile* config = m_fileConfig.get();
    WriteLine(config, "\r\n/**THESE DEFINES SHOULD NOT BE CHANGED!**/");
    WriteLine(config, "\r\n#define     PDO_MAX_RXPDO_IN_OBD             %d\r\n", m_nRxPdoCommu);
    WriteLine(config, "#define     PDO_MAX_TXPDO_IN_OBD             %d\r\n", m_nTxPdoCommu);
    WriteLine(config, "\r\n#define     SDO_MAX_SERVER_IN_OBD            %d\r\n", m_nSdoServers);
    WriteLine(config, "#define     SDO_MAX_CLIENT_IN_OBD            %d\r\n", m_nSdoClients);
    WriteLine(config, "\r\n#define     HBC_MAX_CONSUMER_IN_OBD          %d\r\n", m_nHeartbeatConsumers);
    WriteLine(config, "#define     EMCP_MAX_ERROR_ENTRIES_IN_OBD    %d\r\n", m_nErrorFieldEntries);
    WriteLine(config, "\r\n/**THESE DEFINES COULD BE CHANGED!**/\r\n");
    for (const char* line : FixedConfigurationLines) {
        WriteLine(config, line);
    }
    return m_bWriteError ? GenWriteFailed : GenOk;
}
