#include <gtest/gtest.h>

#include "XddTestSupport.h"
#include "model/NameTables.h"
#include "xdd/CXddScan.h"
#include "xdd/XddFormat.h"

namespace {

const std::string Device1000 =
    R"(<CANopenObject index="1000" name="Device type" objectType="7" dataType="0007" accessType="ro" defaultValue="0x191" PDOmapping="no"/>)";

// Files the reader refuses, each with the one message that says why; the records stay empty.
TEST(XddReader, RefusesWhatIsNoDeviceDescription) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string message;  // after "The file PATH "
    };
    const Case cases[] = {
        {"mismatched tag",
         "<?xml version=\"1.0\"?>\n<ISO15745ProfileContainer>\n  <a>\n</ISO15745ProfileContainer>\n",
         "is not well-formed XML!\nLine 4, column 3: Start-end tags mismatch."},
        {"cut off", "<?xml version=\"1.0\"?>\r\n<ISO15745ProfileContainer><ISO15745Profile x=\"1",
         "is not well-formed XML!\nLine 2, column 47: Error parsing element attribute."},
        {"only a declaration", "<?xml version=\"1.0\"?>",
         "is not well-formed XML!\nLine 1, column 22: No document element found."},
        {"other root", "<?xml version=\"1.0\"?><EDS><CANopenObjectList/></EDS>",
         "is not a CiA 311 device description!\nIts root element is <EDS>, not <ISO15745ProfileContainer>."},
        {"no object list",
         "<ISO15745ProfileContainer><ISO15745Profile><ProfileBody/></ISO15745Profile></"
         "ISO15745ProfileContainer>",
         "holds no object dictionary!\nThe element <CANopenObjectList> is missing."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        XddRun run;
        run.platform.AllowUnexpectedMessages();
        EXPECT_EQ(XddImportResult::Refused, run.Read(c.bytes));
        ASSERT_EQ(1u, run.platform.Messages().size());
        EXPECT_EQ("The file " + run.path + " " + c.message, run.platform.Messages()[0].text);
        EXPECT_EQ("Read XDD file", run.platform.Messages()[0].caption);
        EXPECT_EQ(MsgIcon::Error, run.platform.Messages()[0].icon);
        EXPECT_EQ(0, run.dictionary.GetIndexCount());
    }
    XddRun missing;
    EXPECT_EQ(XddImportResult::CannotOpen, missing.ReadPath(missing.dir.File("absent.xdd")));
}

// Both namespaces, as the default one or behind a prefix, read alike.
TEST(XddReader, ReadsBothNamespacesDefaultAndPrefixed) {
    const std::string object =
        R"(<{p}CANopenObject index="1018" name="Identity" objectType="9" subNumber="2">
             <{p}CANopenSubObject subIndex="00" name="Count" objectType="7" dataType="0005" accessType="ro" defaultValue="1" PDOmapping="no"/>
             <{p}CANopenSubObject subIndex="01" name="Vendor" objectType="7" dataType="0007" accessType="ro" PDOmapping="no"/>
           </{p}CANopenObject>)";
    const auto file = [&](const std::string& ns, const std::string& prefix) {
        std::string text = object;
        for (std::size_t at = text.find("{p}"); at != std::string::npos; at = text.find("{p}")) {
            text.replace(at, 3, prefix.empty() ? "" : prefix + ":");
        }
        const std::string declare =
            prefix.empty() ? "xmlns=\"" + ns + "\"" : "xmlns:" + prefix + "=\"" + ns + "\"";
        return "<ISO15745ProfileContainer " + declare +
               "><ISO15745Profile><ProfileBody><ApplicationLayers><" + (prefix.empty() ? "" : prefix + ":") +
               "CANopenObjectList>" + text + "</" + (prefix.empty() ? "" : prefix + ":") +
               "CANopenObjectList></ApplicationLayers></ProfileBody></ISO15745Profile></"
               "ISO15745ProfileContainer>";
    };
    XddRun reference;
    ASSERT_EQ(XddImportResult::Success, reference.Read(file("http://www.canopen.org/xml/1.1", "")));
    ASSERT_EQ(1, reference.dictionary.GetIndexCount());
    EXPECT_EQ(3u, reference.Find(0x1018)->subindices.size());
    for (const auto& [ns, prefix] :
         {std::pair{"http://www.canopen.org/xml/1.0", ""}, std::pair{"http://www.canopen.org/xml/1.1", "q2"},
          std::pair{"http://www.canopen.org/xml/1.0", "xdd"}}) {
        XddRun run;
        ASSERT_EQ(XddImportResult::Success, run.Read(file(ns, prefix)));
        EXPECT_EQ("", EntryByEntryDifference(reference.dictionary, run.dictionary)) << ns << " " << prefix;
    }
}

// An object without values of its own takes them from the parameter it refers to; its own attributes
// win. An XDC's actualValue is the default only where no defaultValue exists.
TEST(XddReader, TakesValuesFromObjectThenParameter) {
    const std::string parameters = R"(<ApplicationProcess><parameterList>
        <parameter uniqueID="P1" access="readWrite"><UINT/><defaultValue value="5"/>
          <allowedValues><range><minValue value="1"/><maxValue value="9"/></range></allowedValues></parameter>
        <parameter uniqueID="P2"><BITSTRING/><defaultValue value="C8 3D BB"/></parameter>
        <parameter uniqueID="P3" access="readWriteOutput"><LREAL/><actualValue value="2.5"/></parameter>
        <parameter uniqueID="P4" access="const"><q1:SINT xmlns:q1="x"/><defaultValue value="-3"/><actualValue value="-4"/></parameter>
      </parameterList></ApplicationProcess>)";
    const std::string objects = R"(
        <CANopenObject index="2000" name="From parameter" objectType="7" PDOmapping="RPDO" uniqueIDRef="P1"/>
        <CANopenObject index="2001" name="Own values" objectType="7" dataType="0007" accessType="RO" defaultValue="7" lowLimit="" PDOmapping="default" uniqueIDRef="P1"/>
        <CANopenObject index="2002" name="Bytes" objectType="7" uniqueIDRef="P2"/>
        <CANopenObject index="2003" name="Actual" objectType="7" uniqueIDRef="P3"/>
        <CANopenObject index="2004" name="Both" objectType="7" uniqueIDRef="P4"/>
        <CANopenObject index="2005" name="Own actual" objectType="7" dataType="0009" actualValue="configured"/>
        <CANopenObject index="2006" name="Own bytes" objectType="7" dataType="000A" defaultValue="C8 3D"/>
        <CANopenObject index="2007" name="Unknown ref" objectType="7" dataType="0006" uniqueIDRef="nowhere"/>)";
    XddRun run;
    ASSERT_EQ(XddImportResult::Success, run.Read(XddText(objects, parameters)));
    struct Expected {
        unsigned index;
        unsigned dataType;
        const char* access;
        unsigned mapping;
        const char* def;
        const char* low;
        const char* high;
    };
    const Expected expected[] = {
        {0x2000, 0x06, "rw", 1, "5", "1", "9"},          {0x2001, 0x07, "ro", 1, "7", "", "9"},
        {0x2002, 0x0A, "ro", 0, "C83DBB", "0x0", "0x0"}, {0x2003, 0x11, "rww", 0, "2.5", "0x0", "0x0"},
        {0x2004, 0x02, "const", 0, "-3", "0x0", "0x0"},  {0x2005, 0x09, "", 0, "configured", "0x0", "0x0"},
        {0x2006, 0x0A, "", 0, "C8 3D", "0x0", "0x0"},    {0x2007, 0x06, "", 0, "", "0x0", "0x0"},
    };
    ASSERT_EQ(std::size(expected), run.dictionary.GetIndexCount());
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.index);
        const SubindexEntry* entry = run.Entry(e.index, HeaderSingle);
        ASSERT_NE(nullptr, entry);
        EXPECT_EQ(e.dataType, entry->dataType);
        EXPECT_EQ(e.access, entry->accessType);
        EXPECT_EQ(e.mapping, entry->pdoMapping);
        EXPECT_EQ(e.def, entry->defaultValue);
        EXPECT_EQ(e.low, entry->lowLimit);
        EXPECT_EQ(e.high, entry->highLimit);
        EXPECT_EQ(ObjectCode::Var, entry->objectType);
        EXPECT_EQ("manufacturer", run.Find(e.index)->category);
    }
}

// What the model cannot hold is left out as the EDS import leaves it out: unsupported data types with
// its warning, indices outside its ranges, second listings of an index or subindex.
TEST(XddReader, LeavesOutWhatTheModelCannotHold) {
    const std::string objects = Device1000 + R"(
        <CANopenObject index="0005" name="DEFTYPE" objectType="5" dataType="0007"/>
        <CANopenObject index="1FFF" name="Edge" objectType="7" dataType="0007"/>
        <CANopenObject index="1000" name="Again" objectType="7" dataType="0005"/>
        <CANopenObject index="2000" name="Too large a type" objectType="7" dataType="0100"/>
        <CANopenObject index="2001" name="No type" objectType="7"/>
        <CANopenObject index="2001x" name="Not a number" objectType="7" dataType="0007"/>
        <CANopenObject index="12345678901" name="Too long" objectType="7" dataType="0007"/>
        <CANopenObject index="" name="Empty" objectType="7" dataType="0007"/>
        <CANopenObject index="2002" name="Mixed" objectType="8">
          <CANopenSubObject subIndex="02" name="Two" dataType="0006"/>
          <CANopenSubObject subIndex="00" name="Count" dataType="0005" defaultValue="2"/>
          <CANopenSubObject subIndex="01" name="Bad" dataType="x1"/>
          <CANopenSubObject subIndex="02" name="Two again" dataType="0006"/>
          <CANopenSubObject subIndex="100" name="Too far" dataType="0006"/>
          <CANopenSubObject subIndex="0g" name="Not a number" dataType="0006"/>
          <CANopenSubObject name="No number" dataType="0006"/>
        </CANopenObject>
        <CANopenObject index="2003" name="All bad" objectType="9">
          <CANopenSubObject subIndex="00" name="Bad" dataType="0000"/>
        </CANopenObject>
        <CANopenObject index="2004" name="Types kept" objectType="9">
          <CANopenSubObject subIndex="00" name="Bool" dataType="0001"/>
          <CANopenSubObject subIndex="01" name="Int24" dataType="0010"/>
          <CANopenSubObject subIndex="02" name="Uint64" dataType="001B"/>
          <CANopenSubObject subIndex="03" name="Identity" dataType="0023"/>
          <CANopenSubObject subIndex="04" name="Own type" dataType="0040"/>
        </CANopenObject>)";
    XddRun run;
    run.platform.ExpectMessage("Data Type of index 0x2000 not supported", "Warning", MsgIcon::Exclamation);
    run.platform.ExpectMessage("Data Type of index 0x2001 not supported", "Warning", MsgIcon::Exclamation);
    run.platform.ExpectMessage("Data Type of index 0x2002,subindex 0x01 not supported!", "Warning",
                               MsgIcon::Exclamation);
    run.platform.ExpectMessage("Data Type of index 0x2003,subindex 0x00 not supported!", "Warning",
                               MsgIcon::Exclamation);
    ASSERT_EQ(XddImportResult::Success, run.Read(XddText(objects)));
    ASSERT_EQ(3, run.dictionary.GetIndexCount());
    EXPECT_EQ("Device type", run.Entry(0x1000, HeaderSingle)->name);
    EXPECT_EQ("mandatory", run.Find(0x1000)->category);
    const IndexEntry& mixed = *run.Find(0x2002);
    ASSERT_EQ(3u, mixed.subindices.size());
    EXPECT_EQ(3, mixed.entryCount);
    EXPECT_EQ(HeaderStructured, mixed.subindices[0]->subindex);
    EXPECT_EQ(ObjectCode::Array, mixed.subindices[0]->objectType);
    EXPECT_EQ("Count", mixed.subindices[1]->name);
    EXPECT_EQ("Two", mixed.subindices[2]->name);
    EXPECT_EQ(ObjectCode::Var, mixed.subindices[2]->objectType);
    EXPECT_EQ(6u, run.Find(0x2004)->subindices.size());
}

TEST(XddReader, ReadsTheSections) {
    const std::string device = R"(
      <DeviceIdentity><vendorName>ACME &amp; Söhne</vendorName><vendorID>0x0000ABCD</vendorID>
        <productName>Drive</productName><productID>42</productID>
        <productText><description lang="en">A drive</description></productText><orderNumber>X-1</orderNumber></DeviceIdentity>
      <DeviceFunction><capabilities><characteristicsList>
        <characteristic><characteristicName><label lang="en">EDSVersion</label></characteristicName>
          <characteristicContent><label lang="en">4.0</label></characteristicContent></characteristic>
        <characteristic><characteristicName><label lang="en">RevisionNumber</label></characteristicName>
          <characteristicContent><label lang="en">0x00010002</label></characteristicContent></characteristic>
        <characteristic><characteristicName><label lang="en">Comments</label></characteristicName>
          <characteristicContent><label lang="en">first</label></characteristicContent>
          <characteristicContent><label lang="en"></label></characteristicContent></characteristic>
        <characteristic><characteristicName><label lang="en">OptionalObjects</label></characteristicName>
          <characteristicContent><label lang="en">0x1000</label></characteristicContent></characteristic>
      </characteristicsList></capabilities></DeviceFunction>)";
    std::string text = XddText(Device1000, device);
    text.replace(
        text.find("fileName=\"t.xdd\""), 16,
        R"(fileName="d.xdd" fileVersion="3" fileCreator="Me" fileCreationDate="2020-11-28" fileCreationTime="16:49:28.79+01:00" fileModificationDate="28.11.2020" fileModificationTime="00:05:00")");
    const std::string network = R"(</ApplicationLayers>
        <dummyUsage><dummy entry="Dummy0007=1"/><dummy entry="Dummy0002=0"/><dummy entry="Dummy0009=1"/><dummy entry="junk"/></dummyUsage>
        <TransportLayers><PhysicalLayer><baudRate><supportedBaudRate value="125 Kbps"/><supportedBaudRate value="1000 Kbps"/></baudRate></PhysicalLayer></TransportLayers>
        <NetworkManagement><CANopenGeneralFeatures granularity="8" nrOfRxPDO="4" nrOfTxPDO="2" layerSettingServiceSlave="true" groupMessaging="1" dynamicChannels="3"/>
          <CANopenMasterFeatures bootUpMaster="true"/></NetworkManagement>)";
    text.replace(text.find("</ApplicationLayers>"), 20, network);
    XddRun run;
    ASSERT_EQ(XddImportResult::Success, run.Read(text));
    const FileInfoSection file{"d.xdd",      3,    0,         "4.0",        "A drive", "4:49PM",
                               "11-28-2020", "Me", "12:05AM", "28.11.2020", ""};
    EXPECT_EQ(file, run.fileInfo);
    DeviceInfoSection device_;
    device_.VendorName = "ACME & S\xC3\xB6hne";
    device_.VendorNumber = 0xABCD;
    device_.ProductName = "Drive";
    device_.ProductNumber = 42;
    device_.RevisionNumber = 0x10002;
    device_.OrderCode = "X-1";
    device_.Baudrate_125 = device_.Baudrate_1000 = 1;
    device_.Granularity = 8;
    device_.NrOfRxPdo = 4;
    device_.NrOfTxPdo = 2;
    device_.LSS_Supported = device_.GroupMessaging = device_.SimpleBootUpMaster = 1;
    device_.DynamicChannelsSupported = 3;
    device_.DummyUsage.dummyCount = 2;
    device_.DummyUsage.entries[0] = {2, 0};
    device_.DummyUsage.entries[1] = {7, 1};
    EXPECT_EQ(device_, run.deviceInfo);
    const std::vector<CommentLine> lines = {{"first", 1}, {"", 2}};
    EXPECT_EQ(lines, run.dictionary.CommentLines());
    EXPECT_EQ("optional", run.Find(0x1000)->category);
}

TEST(XddReader, RecognisesAnXmlDeviceDescriptionByItsStart) {
    EXPECT_TRUE(LooksLikeXdd("<?xml version=\"1.0\"?>"));
    EXPECT_TRUE(LooksLikeXdd("\xEF\xBB\xBF\r\n  <ISO15745ProfileContainer>"));
    EXPECT_FALSE(LooksLikeXdd("[FileInfo]\r\n<?xml"));
    EXPECT_FALSE(LooksLikeXdd(""));
    EXPECT_FALSE(LooksLikeXdd("<ISO15745Profile>"));
}

}  // namespace
