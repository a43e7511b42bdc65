#include "documents/SheetContent.h"

#include "documents/AddressMap.h"
#include "documents/PinWords.h"
#include "events/EventSlots.h"
#include "model/TextEncoding.h"
#include "module/AddressLabels.h"
#include "module/GeneralPageWords.h"
#include "module/ModuleSettingsWords.h"
#include "pins/PinPageRules.h"
#include "pins/PinTypeText.h"

namespace vexa {

namespace {

SheetBlock Block(BlockKind kind, std::string text, int indent = 0) {
    SheetBlock block;
    block.kind = kind;
    block.text = std::move(text);
    block.indent = indent;
    return block;
}

SheetBlock Field(std::string caption, std::string text, int indent = 0) {
    SheetBlock block = Block(BlockKind::Field, std::move(text), indent);
    block.caption = std::move(caption);
    return block;
}

// A configuration text in quotes after a blank. Built by appending, as the step lines below: GCC
// 12 warns falsely (-Wrestrict) about a literal added before a std::string when it inlines at -O3.
std::string BlankAndQuoted(const std::string& latin1) {
    std::string text(" \"");
    text += Utf8FromLatin1(latin1);
    text += '"';
    return text;
}

std::string WithoutColon(std::string caption) {
    if (!caption.empty() && caption.back() == ':')
        caption.pop_back();
    return caption;
}

std::string Trimmed(std::string caption) {
    while (!caption.empty() && caption.back() == ' ')
        caption.pop_back();
    return caption;
}

// "4..12, 14, 20..32": runs of pin numbers as shown.
std::string PinRanges(const std::vector<int>& pins, int base) {
    std::string text;
    for (std::size_t i = 0; i < pins.size();) {
        std::size_t j = i;
        while (j + 1 < pins.size() && pins[j + 1] == pins[j] + 1)
            ++j;
        if (!text.empty())
            text += ", ";
        text += std::to_string(pins[i] + base);
        if (j > i)
            text += ".." + std::to_string(pins[j] + base);
        i = j + 1;
    }
    return text;
}

std::string BoardTitle(const BoardSet& set, const Board& board) {
    std::string title = "Module " + std::to_string(board.address + set.numberingBase);
    if (!board.image.module.idString.empty())
        title += BlankAndQuoted(board.image.module.idString);
    return title;
}

void AddAddressMap(const BoardSet& set, SheetDocument& sheet) {
    const int base = set.numberingBase;
    sheet.blocks.push_back(Block(BlockKind::Title, "Address map"));
    std::string boards;
    for (const Board& board : set.boards) {
        if (!boards.empty())
            boards += ", ";
        boards += BoardTitle(set, board);
    }
    sheet.blocks.push_back(Field("Controllers", boards));
    const std::vector<AddressEntry> entries = MapAddresses(set);
    SheetBlock table = Block(BlockKind::Table, "");
    table.columns = {0.3, 0.12, 0.1, 0.48};
    table.rows.push_back({"Address", "Module", "Pin", "Description"});
    for (const AddressRun& run : AddressRuns(entries)) {
        std::string address = std::string(AddressKindWords(run.kind)) + " " + std::to_string(run.first);
        if (run.last > run.first)
            address += ".." + std::to_string(run.last);
        for (const AddressUser& user : run.users) {
            table.rows.push_back({address, std::to_string(user.module + base), std::to_string(user.pin + base),
                                  Utf8FromLatin1(user.description)});
            table.marked.push_back(run.conflict());
        }
    }
    if (table.rows.size() > 1)
        sheet.blocks.push_back(std::move(table));
    else
        sheet.blocks.push_back(Block(BlockKind::Text, "No pin in use answers to an address."));
    sheet.blocks.push_back(Block(BlockKind::Heading, "Conflicts"));
    bool conflicts = false;
    for (const AddressEntry& entry : entries)
        if (entry.conflict()) {
            sheet.blocks.push_back(Block(BlockKind::Text, ConflictLine(entry, base)));
            conflicts = true;
        }
    if (!conflicts)
        sheet.blocks.push_back(Block(BlockKind::Text, "No address conflicts"));
}

void AddModuleSettings(const BoardSet& set, const Board& board, SheetDocument& sheet) {
    sheet.blocks.push_back(Block(BlockKind::Heading, "Module settings"));
    for (const SettingsFrameWords& frame : ModuleSettingsInWords(board.image, set.numberingBase)) {
        std::vector<std::string> lines;
        for (const SettingsLine& line : frame.lines)
            lines.push_back(line.caption + ": " + (line.value.empty() ? "none" : line.value));
        std::string text;
        for (const std::string& line : lines) {
            if (!text.empty())
                text += "; ";
            text += line;
        }
        sheet.blocks.push_back(Field(frame.frame, text));
    }
    const std::optional<EnableMap>& map = board.image.enableMap;
    for (const auto& [caption, first] : {std::pair{EnableOnCaption, 0}, {EnableOffCaption, EventInputCount}}) {
        std::vector<std::string> inputs;
        for (int k = 0; map && k < EventInputCount; ++k)
            if ((*map)[static_cast<std::size_t>(first + k)])
                inputs.push_back(EventInputCaption(k));
        sheet.blocks.push_back(Field(Trimmed(caption), !map ? "unknown" : inputs.empty() ? "none" : JoinTexts(inputs)));
    }
}

void AddAspects(const PinRecord& record, int pin, int base, SheetDocument& sheet) {
    const StepContext context{pin, base};
    const int steps = StepsInLayout(record.aspectLayout);
    for (int a = 0; a < AspectsInLayout(record.aspectLayout); ++a) {
        const AspectRecord& aspect = record.aspects[static_cast<std::size_t>(a)];
        std::vector<SheetBlock> stepBlocks;
        for (int s = 0; s < steps; ++s) {
            const AspectStep& step = aspect.steps[static_cast<std::size_t>(s)];
            if (step.instruction == 0)
                continue;
            std::string line(1, '#');
            line += std::to_string(s) + "  " + StepText(step, context);
            stepBlocks.push_back(Block(BlockKind::Text, std::move(line), 2));
        }
        if (aspect.description.empty() && stepBlocks.empty())
            continue;
        sheet.blocks.push_back(
            Field(std::string(pinpage::Aspect) + " " + std::to_string(a), Utf8FromLatin1(aspect.description), 1));
        for (SheetBlock& block : stepBlocks)
            sheet.blocks.push_back(std::move(block));
    }
}

void AddPin(const BoardSet& set, const Board& board, int pin, SheetDocument& sheet) {
    const PinRecord& record = board.image.pins[static_cast<std::size_t>(pin)];
    const PinWords words = DescribePin(set, board, pin);
    std::string heading = std::string(pinpage::Pin) + " " + words.pin;
    if (!record.description.empty())
        heading += BlankAndQuoted(record.description);
    sheet.blocks.push_back(Block(BlockKind::Subheading, heading));
    if (!words.device.empty())
        sheet.blocks.push_back(Field("Device", words.device, 1));
    sheet.blocks.push_back(
        Field("Type", words.parameters.empty() ? words.type : words.type + " \xE2\x80\x93 " + words.parameters, 1));
    sheet.blocks.push_back(Field(
        "Addresses",
        std::string(SerialLabelCaption) + " " + words.serialAddress + ", " + PinAddressLabelCaption + " " +
            words.pinAddress + ", " + DccLabelCaption + " " + words.dccAddress + ", " + XDccLabelCaption + " " +
            words.xdccAddress + " (" + pinpage::AddressCounts + ": " + pinpage::SerialCount + " " + words.counts[0] +
            ", " + pinpage::DccCount + " " + words.counts[1] + ", " + pinpage::XDccCount + " " + words.counts[2] + ")",
        1));
    if (record.aspectLayout != LayoutNone) {
        sheet.blocks.push_back(
            Field(pinpage::Aspects, words.aspects + ", " + pinpage::Init + " " + words.initialAspect, 1));
        AddAspects(record, pin, set.numberingBase, sheet);
    }
    if (!words.events.empty())
        sheet.blocks.push_back(Field("Events", words.events, 1));
}

void AddBoard(const BoardSet& set, const Board& board, SheetDocument& sheet) {
    sheet.blocks.push_back(Block(BlockKind::Title, BoardTitle(set, board)));
    sheet.blocks.push_back(Field(generalpage::IdFrame, Utf8FromLatin1(board.image.module.idString)));
    if (!board.version.empty())
        sheet.blocks.push_back(Field(WithoutColon(generalpage::FirmwareVersion), board.version));
    if (!board.fileName.empty())
        sheet.blocks.push_back(Field("Data file", board.fileName));
    AddModuleSettings(set, board, sheet);
    sheet.blocks.push_back(Block(BlockKind::Heading, "Pins"));
    std::vector<int> empty;
    for (int pin = 0; pin < PinCount; ++pin) {
        if (PinInUse(board.image.pins[static_cast<std::size_t>(pin)]))
            AddPin(set, board, pin, sheet);
        else
            empty.push_back(pin);
    }
    if (!empty.empty())
        sheet.blocks.push_back(Field("Empty pins", PinRanges(empty, set.numberingBase)));
}

} // namespace

SheetDocument MakeConfigurationSheet(const BoardSet& set, const std::string& date) {
    SheetDocument sheet;
    sheet.title = set.title;
    sheet.date = date;
    if (set.layout)
        AddAddressMap(set, sheet);
    for (const Board& board : set.boards)
        AddBoard(set, board, sheet);
    return sheet;
}

} // namespace vexa
