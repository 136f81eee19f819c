// The parser repository finds its parsers by name and keeps their settings in
// the user's store between runs; the store keeps strings and bytes exactly.
#include "core/highlight/HighlightExceptions.h"
#include "core/highlight/TLexipadParser.h"
#include "core/settings/SettingsRegistryText.h"
#include "qt/app/TParserRepository.h"
#include "qt/base/TQtRegistry.h"
#include "support/TempDir.h"

#include <QtTest>

using namespace quarno;

namespace {

const std::string kKey = TParserRepository::kRegistryKey;

QString StoreFile(const test::TempDir& folder) {
    return QString::fromStdString(folder.File("registry.ini"));
}

} // namespace

class ParserRepositoryTest : public QObject {
    Q_OBJECT
private slots:
    void findsParsersByLanguageNameInAnyCase();
    void storeKeepsEveryByteOfStringsAndBinaryValues();
    void emptyStoreLeavesTheCompiledSettings();
    void savedSettingsComeBackInTheNextRun();
    void damagedValueIsReportedAsTheParsersError();
    void damagedStoreFilesGiveTheCompiledSettingsOrTheParsersError();
};

void ParserRepositoryTest::findsParsersByLanguageNameInAnyCase() {
    TParserRepository repository;
    TLexipadParser* parser = repository.FindParser("MCUBASIC");
    QVERIFY(parser != nullptr);
    QCOMPARE(repository.FindParser("mcubasic"), parser);
    QCOMPARE(repository.FindParser(""), nullptr);
    QCOMPARE(repository.FindParser("MCUBASIC2"), nullptr);
    QCOMPARE(parser->Name(), std::string("MCUBASIC"));
    QCOMPARE(repository.objectName(), QString("ParserRepository"));
}

void ParserRepositoryTest::storeKeepsEveryByteOfStringsAndBinaryValues() {
    test::TempDir folder;
    std::string bytes;
    for (int c = 0; c < 256; ++c)
        bytes += static_cast<char>(c);
    std::string text = bytes.substr(1); // strings hold no NUL
    {
        TQtRegistry registry(StoreFile(folder));
        registry.WriteString(kKey, "Highlighting - X", text);
        registry.WriteBinary(kKey, "Key Assignments - X", bytes);
    }
    TQtRegistry reopened(StoreFile(folder));
    QCOMPARE(reopened.ReadString(kKey, "Highlighting - X"), std::optional<std::string>(text));
    QCOMPARE(reopened.ReadBinary(kKey, "Key Assignments - X"), std::optional<std::string>(bytes));
    QCOMPARE(reopened.ReadString(kKey, "Highlighting - Y"), std::nullopt);
    QCOMPARE(reopened.ReadBinary("Software\\OTHER", "Key Assignments - X"), std::nullopt);
}

void ParserRepositoryTest::emptyStoreLeavesTheCompiledSettings() {
    test::TempDir folder;
    TParserRepository repository;
    TLexipadParser& parser = *repository.FindParser("MCUBASIC");
    std::string before = HighlightingRegistryText(parser.Settings());
    TQtRegistry registry(StoreFile(folder));
    repository.LoadParserSettings(registry);
    QCOMPARE(HighlightingRegistryText(parser.Settings()), before);
    QVERIFY(!QFile::exists(StoreFile(folder)));
}

void ParserRepositoryTest::savedSettingsComeBackInTheNextRun() {
    test::TempDir folder;
    {
        TParserRepository repository;
        TLexipadParser& parser = *repository.FindParser("MCUBASIC");
        parser.Settings().SetGutter(77);
        parser.Settings().SetWrapOverride("#!");
        TQtRegistry registry(StoreFile(folder));
        repository.SaveParserSettings(registry);
        QVERIFY(!parser.UseRegistry());
        QCOMPARE(parser.RegistryKey(), kKey);
    }
    TParserRepository next;
    TLexipadParser& parser = *next.FindParser("MCUBASIC");
    QVERIFY(parser.Settings().Gutter() != 77);
    TQtRegistry registry(StoreFile(folder));
    std::optional<std::string> keys = registry.ReadBinary(kKey, "Key Assignments - MCUBASIC");
    QVERIFY(keys && keys->substr(0, 9) == "\x08Vemlor6:"); // the marker as a counted string
    next.LoadParserSettings(registry);
    QCOMPARE(parser.Settings().Gutter(), 77);
    QCOMPARE(parser.Settings().WrapOverride(), std::string("#!"));
}

void ParserRepositoryTest::damagedValueIsReportedAsTheParsersError() {
    test::TempDir folder;
    TQtRegistry registry(StoreFile(folder));
    registry.WriteString(kKey, "Highlighting - MCUBASIC", "not a style string");
    TParserRepository repository;
    QVERIFY_THROWS_EXCEPTION(ELexipad, repository.LoadParserSettings(registry));
}

// The store's file itself damaged: garbage, a 10 MB line, the group gone,
// a value cut short. Loading ends with the compiled settings or with the
// parser's own error, never with anything else.
void ParserRepositoryTest::damagedStoreFilesGiveTheCompiledSettingsOrTheParsersError() {
    std::string garbage;
    for (unsigned i = 0, x = 7; i < 65536; ++i, x = x * 1103515245 + 12345)
        garbage += static_cast<char>(x >> 16);
    const std::string group = "[Software%5CQUARNO_PLUS_COMP]\n";
    const std::string longLine(10 << 20, 'x');
    const std::pair<const char*, std::string> cases[] = {
        {"garbage", garbage},
        {"10 MB line", longLine},
        {"10 MB value", group + "Highlighting%20-%20MCUBASIC=" + longLine + "\n"},
        {"group missing", "[General]\nother=1\n"},
        {"value cut short", group + "Highlighting%20-%20MCUBASIC=Vemlor6:OPT#8#670\n"},
        {"binary value garbage", group + "Key%20Assignments%20-%20MCUBASIC=@ByteArray(\\x8Vem)\n"},
    };
    for (const auto& [name, bytes] : cases) {
        test::TempDir folder;
        folder.Write("registry.ini", bytes);
        TParserRepository repository;
        TLexipadParser& parser = *repository.FindParser("MCUBASIC");
        const std::string compiled = HighlightingRegistryText(parser.Settings());
        TQtRegistry registry(StoreFile(folder));
        try {
            repository.LoadParserSettings(registry);
            QVERIFY2(HighlightingRegistryText(parser.Settings()) == compiled, name);
        } catch (const ELexipad& error) {
            QVERIFY2(std::string(error.what()).find("Invalid data in registry entry") == 0, name);
        }
    }
}

QTEST_MAIN(ParserRepositoryTest)
#include "ParserRepositoryTest.moc"
