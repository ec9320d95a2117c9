// orvanta describe: everything the plug-in module told the host when it
// registered, read from the description the host recorded: the collection's
// maker and package data, the effect's names, category, components with their
// context fields and every process-procedure registration with the property
// set it carried, the procedure pointers, the resources, and the page table's
// content from the bundle. The report is built once as a tree and printed
// either as indented text or, with --json, as JSON.
#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "CommandRegistry.h"
#include "host/runtime/PluginModule.h"

namespace {

// ---- the report tree ----

struct Node {
    enum class Kind { Number, Text, Bool, List, Record } kind = Kind::Record;
    int64_t number = 0;
    std::string text;
    bool flag = false;
    std::vector<Node> items;                           // List
    std::vector<std::pair<std::string, Node>> fields;  // Record, in insertion order

    static Node Number(int64_t value) {
        Node node;
        node.kind = Kind::Number;
        node.number = value;
        return node;
    }
    static Node Text(std::string value) {
        Node node;
        node.kind = Kind::Text;
        node.text = std::move(value);
        return node;
    }
    static Node Bool(bool value) {
        Node node;
        node.kind = Kind::Bool;
        node.flag = value;
        return node;
    }
    static Node List() {
        Node node;
        node.kind = Kind::List;
        return node;
    }
    static Node Record() { return Node(); }

    Node& Set(const std::string& name, Node value) {
        fields.emplace_back(name, std::move(value));
        return *this;
    }
    Node& Append(Node value) {
        items.push_back(std::move(value));
        return *this;
    }
    bool IsScalar() const { return kind != Kind::List && kind != Kind::Record; }
};

Node TextList(const std::vector<std::string>& texts) {
    Node list = Node::List();
    for (const std::string& text : texts) list.Append(Node::Text(text));
    return list;
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

void WriteJson(std::ostream& out, const Node& node, int depth) {
    const std::string indent(2 * (depth + 1), ' ');
    const std::string closing(2 * depth, ' ');
    switch (node.kind) {
        case Node::Kind::Number: out << node.number; return;
        case Node::Kind::Text: out << JsonString(node.text); return;
        case Node::Kind::Bool: out << (node.flag ? "true" : "false"); return;
        case Node::Kind::List:
            if (node.items.empty()) { out << "[]"; return; }
            out << "[\n";
            for (size_t i = 0; i < node.items.size(); ++i) {
                out << indent;
                WriteJson(out, node.items[i], depth + 1);
                out << (i + 1 < node.items.size() ? ",\n" : "\n");
            }
            out << closing << "]";
            return;
        case Node::Kind::Record:
            if (node.fields.empty()) { out << "{}"; return; }
            out << "{\n";
            for (size_t i = 0; i < node.fields.size(); ++i) {
                out << indent << JsonString(node.fields[i].first) << ": ";
                WriteJson(out, node.fields[i].second, depth + 1);
                out << (i + 1 < node.fields.size() ? ",\n" : "\n");
            }
            out << closing << "}";
            return;
    }
}

bool AllScalar(const Node& node) {
    for (const Node& item : node.items)
        if (!item.IsScalar()) return false;
    for (const auto& field : node.fields)
        if (!field.second.IsScalar()) return false;
    return true;
}

// A node on one line: scalars as they are, lists and records of scalars in brackets.
std::string Inline(const Node& node) {
    switch (node.kind) {
        case Node::Kind::Number: return std::to_string(node.number);
        case Node::Kind::Text: return PrintableText(node.text);
        case Node::Kind::Bool: return node.flag ? "yes" : "no";
        case Node::Kind::List: {
            std::string text;
            for (const Node& item : node.items) text += (text.empty() ? "" : ", ") + Inline(item);
            return node.items.empty() ? "(none)" : text;
        }
        case Node::Kind::Record: {
            std::string text;
            for (const auto& field : node.fields) text += (text.empty() ? "" : ", ") + field.first + " " + Inline(field.second);
            return "{" + text + "}";
        }
    }
    return "";
}

// Indented text: a record's fields one per line, lists as items marked "-";
// short lists of scalars, and records of scalars inside lists, on one line.
void WriteText(std::ostream& out, const Node& node, int depth) {
    const std::string indent(2 * depth, ' ');
    if (node.kind == Node::Kind::List) {
        for (const Node& item : node.items) {
            if (item.kind == Node::Kind::Record && !AllScalar(item)) {
                // The item's first field goes on the marker's line.
                std::ostringstream nested;
                WriteText(nested, item, depth + 1);
                out << indent << "- " << nested.str().substr(indent.size() + 2);
            } else {
                out << indent << "- " << Inline(item) << "\n";
            }
        }
        return;
    }
    for (const auto& field : node.fields) {
        const Node& value = field.second;
        if (value.IsScalar() || (value.kind == Node::Kind::List && AllScalar(value) && Inline(value).size() <= 100)) {
            out << indent << field.first << ": " << Inline(value) << "\n";
        } else {
            out << indent << field.first << ":\n";
            WriteText(out, value, depth + 1);
        }
    }
}

// ---- what the numbers mean ----

const char* PropertyName(int32_t id) {
    struct Named {
        int32_t id;
        const char* name;
    };
    static const Named kNames[] = {
        {AAX_eProperty_ManufacturerID, "ManufacturerID"},
        {AAX_eProperty_ProductID, "ProductID"},
        {AAX_eProperty_PlugInID_Native, "PlugInID_Native"},
        {AAX_eProperty_PlugInID_AudioSuite, "PlugInID_AudioSuite"},
        {AAX_eProperty_PlugInID_TI, "PlugInID_TI"},
        {AAX_eProperty_InputStemFormat, "InputStemFormat"},
        {AAX_eProperty_OutputStemFormat, "OutputStemFormat"},
        {AAX_eProperty_DSP_AudioBufferLength, "DSP_AudioBufferLength"},
        {AAX_eProperty_LatencyContribution, "LatencyContribution"},
        {AAX_eProperty_SampleRate, "SampleRate"},
        {AAX_eProperty_CanBypass, "CanBypass"},
        {AAX_eProperty_TI_SharedCycleCount, "TI_SharedCycleCount"},
        {AAX_eProperty_TI_InstanceCycleCount, "TI_InstanceCycleCount"},
        {AAX_eProperty_TI_MaxInstancesPerChip, "TI_MaxInstancesPerChip"},
    };
    for (const Named& named : kNames)
        if (named.id == id) return named.name;
    return "";
}

std::string FourCCText(uint32_t code) {
    std::string text = "'";
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((code >> shift) & 0xFF);
        text += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return text + "'";
}

std::string StemFormatText(int32_t format) {
    if (format == AAX_eStemFormat_Mono) return "mono";
    if (format == AAX_eStemFormat_Stereo) return "stereo";
    return std::to_string(AAX_STEM_FORMAT_CHANNEL_COUNT(format)) + " channels, stem " +
           std::to_string(AAX_STEM_FORMAT_INDEX(format));
}

std::string SampleRatesText(uint32_t mask) {
    static const char* const kRates[] = {"44.1", "48", "88.2", "96", "176.4", "192"};
    std::string text;
    for (int bit = 0; bit < 6; ++bit)
        if (mask & (1u << bit)) text += (text.empty() ? "" : ", ") + std::string(kRates[bit]);
    return text.empty() ? "none" : text + " kHz";
}

std::string Hex(uint64_t value, int digits) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%0*" PRIX64, digits, value);
    return text;
}

// What a property's value means, where that is more than the number.
std::string PropertyMeaning(int32_t id, int32_t value) {
    switch (id) {
        case AAX_eProperty_ManufacturerID:
        case AAX_eProperty_ProductID:
        case AAX_eProperty_PlugInID_Native:
        case AAX_eProperty_PlugInID_AudioSuite:
        case AAX_eProperty_PlugInID_TI: return FourCCText(static_cast<uint32_t>(value));
        case AAX_eProperty_InputStemFormat:
        case AAX_eProperty_OutputStemFormat: return StemFormatText(value);
        case AAX_eProperty_SampleRate: return SampleRatesText(static_cast<uint32_t>(value));
        case AAX_eProperty_DSP_AudioBufferLength: return std::to_string(1LL << (value & 31)) + " samples";
        case AAX_eProperty_LatencyContribution: return std::to_string(value) + " samples";
        default: return "";
    }
}

Node Properties(const RecordedPropertySet& properties) {
    Node list = Node::List();
    for (const auto& property : properties) {
        Node entry = Node::Record();
        entry.Set("id", Node::Number(property.first));
        const std::string name = PropertyName(property.first);
        if (!name.empty()) entry.Set("name", Node::Text(name));
        entry.Set("value", Node::Number(property.second));
        const std::string meaning = PropertyMeaning(property.first, property.second);
        if (!meaning.empty()) entry.Set("meaning", Node::Text(meaning));
        list.Append(std::move(entry));
    }
    return list;
}

Node Categories(const std::vector<uint32_t>& categories) {
    static const char* const kBits[] = {"EQ", "Dynamics", "PitchShift", "Reverb", "Delay",
                                        "Modulation", "Harmonic", "NoiseReduction", "Dither", "SoundField"};
    Node list = Node::List();
    for (uint32_t mask : categories) {
        std::vector<std::string> names;
        for (int bit = 0; bit < 10; ++bit)
            if (mask & (1u << bit)) names.push_back(kBits[bit]);
        list.Append(Node::Record().Set("mask", Node::Text(Hex(mask, 2))).Set("names", TextList(names)));
    }
    return list;
}

Node Field(const RecordedField& field) {
    using Kind = RecordedField::Kind;
    Node node = Node::Record();
    node.Set("index", Node::Number(field.index)).Set("kind", Node::Text(RecordedField::KindName(field.kind)));
    switch (field.kind) {
        case Kind::DataInPort:
            node.Set("packetSize", Node::Number(field.size)).Set("portType", Node::Number(field.option));
            break;
        case Kind::PrivateData:
            node.Set("size", Node::Number(field.size)).Set("options", Node::Number(field.option));
            break;
        case Kind::TemporaryData: node.Set("elementSize", Node::Number(field.size)); break;
        case Kind::AuxOutputStem:
            node.Set("stemFormat", Node::Text(StemFormatText(static_cast<int32_t>(field.option))))
                .Set("name", Node::Text(field.name));
            break;
        case Kind::DmaInstance: node.Set("mode", Node::Number(field.option)); break;
        case Kind::MIDINode:
            node.Set("nodeType", Node::Number(field.option))
                .Set("name", Node::Text(field.name))
                .Set("channelMask", Node::Text(Hex(field.channelMask, 4)));
            break;
        case Kind::Meters: {
            Node meters = Node::List();
            for (AAX_CTypeID id : field.meterIDs) meters.Append(Node::Text(FourCCText(id)));
            node.Set("meters", std::move(meters));
            break;
        }
        case Kind::Reserved: node.Set("fieldType", Node::Number(field.option)); break;
        default: break;
    }
    return node;
}

Node Registration(const RecordedProcessProc& proc) {
    const bool native = proc.kind == RecordedProcessProc::Kind::Native;
    Node node = Node::Record();
    node.Set("procID", Node::Number(proc.procID)).Set("kind", Node::Text(native ? "native" : "DSP"));
    if (native) {
        node.Set("instanceInitProc", Node::Bool(proc.instanceInitProc != nullptr))
            .Set("backgroundProc", Node::Bool(proc.backgroundProc != nullptr));
    } else {
        node.Set("module", Node::Text(proc.dllFileName)).Set("entry", Node::Text(proc.processProcSymbol));
        if (!proc.instanceInitProcSymbol.empty()) node.Set("instanceInitEntry", Node::Text(proc.instanceInitProcSymbol));
        if (!proc.backgroundProcSymbol.empty()) node.Set("backgroundEntry", Node::Text(proc.backgroundProcSymbol));
    }
    node.Set("rates", Node::Text(SampleRatesText(proc.SampleRateMask())));
    node.Set("properties", proc.hasProperties ? Properties(proc.properties) : Node::List());
    return node;
}

Node Component(const RecordedComponent& component, int number) {
    Node node = Node::Record();
    node.Set("number", Node::Number(number));
    int32_t stemFormat = 0;
    for (const RecordedProcessProc& proc : component.processProcs)
        if (FindProperty(proc.properties, AAX_eProperty_InputStemFormat, &stemFormat)) break;
    if (stemFormat) node.Set("stemFormat", Node::Text(StemFormatText(stemFormat)));
    Node fields = Node::List();
    for (const RecordedField& field : component.fields) fields.Append(Field(field));
    node.Set("fields", std::move(fields));
    Node registrations = Node::List();
    for (const RecordedProcessProc& proc : component.processProcs) registrations.Append(Registration(proc));
    node.Set("registrations", std::move(registrations));
    return node;
}

// ---- the page table ----

// The texts between every open and close marker, in order.
std::vector<std::string> Between(const std::string& text, const std::string& open, const std::string& close) {
    std::vector<std::string> parts;
    for (size_t at = text.find(open); at != std::string::npos; at = text.find(open, at)) {
        const size_t start = at + open.size();
        const size_t end = text.find(close, start);
        if (end == std::string::npos) break;
        parts.push_back(text.substr(start, end - start));
        at = end + close.size();
    }
    return parts;
}

// The value of attribute name in the start tag that opens element, or "".
std::string Attribute(const std::string& element, const std::string& name) {
    const std::string tag = element.substr(0, element.find('>'));
    const std::vector<std::string> values = Between(tag, name + "=\"", "\"");
    return values.empty() ? "" : values[0];
}

// The page tables of a page-table file: per table the controls a page
// holds, and per page the parameter identifiers on it.
Node PageTables(const std::string& path) {
    std::ifstream file(path);
    if (!file) return Node::Record().Set("error", Node::Text("cannot read " + path));
    std::stringstream content;
    content << file.rdbuf();
    Node tables = Node::List();
    for (const std::string& table : Between(content.str(), "<PageTable ", "</PageTable>")) {
        Node pages = Node::List();
        for (const std::string& page : Between(table, "<Page ", "</Page>"))
            pages.Append(Node::Record()
                             .Set("number", Node::Text(Attribute(page, "num")))
                             .Set("parameters", TextList(Between(page, "<ID>", "</ID>"))));
        tables.Append(Node::Record()
                          .Set("type", Node::Text(Attribute(table, "type")))
                          .Set("controlsPerPage", Node::Text(Attribute(table, "pgsz")))
                          .Set("pages", std::move(pages)));
    }
    return Node::Record().Set("path", Node::Text(path)).Set("tables", std::move(tables));
}

Node Resources(const RecordedEffect& effect, const std::string& resourceDirectory) {
    Node list = Node::List();
    for (const auto& resource : effect.resources) {
        const bool pageTable = resource.first == AAX_eResourceType_PageTable;
        Node node = Node::Record();
        node.Set("type", Node::Number(resource.first))
            .Set("kind", Node::Text(pageTable ? "page table" : resource.first == AAX_eResourceType_PageTableDir
                                                                    ? "page-table folder"
                                                                    : "other"))
            .Set("file", Node::Text(resource.second));
        if (pageTable && !resourceDirectory.empty())
            node.Set("content", PageTables(resourceDirectory + "/" + resource.second));
        list.Append(std::move(node));
    }
    return list;
}

Node ProcPtrs(const RecordedEffect& effect) {
    Node list = Node::List();
    for (const auto& procPtr : effect.procPtrs) {
        const char* role = procPtr.first == kAAX_ProcPtrID_Create_EffectParameters ? "data-model factory"
                           : procPtr.first == kAAX_ProcPtrID_Create_EffectGUI      ? "editor factory"
                                                                                    : "other";
        list.Append(Node::Record().Set("id", Node::Number(procPtr.first)).Set("role", Node::Text(role)));
    }
    return list;
}

Node Effect(const RecordedEffect& effect, const std::string& resourceDirectory) {
    Node components = Node::List();
    for (size_t i = 0; i < effect.components.size(); ++i)
        components.Append(Component(effect.components[i], static_cast<int>(i) + 1));
    Node meters = Node::List();
    for (const RecordedMeter& meter : effect.meters)
        meters.Append(Node::Record().Set("id", Node::Text(FourCCText(meter.meterID))).Set("name", Node::Text(meter.name)));
    Node node = Node::Record();
    node.Set("id", Node::Text(effect.effectID))
        .Set("names", TextList(effect.names))
        .Set("categories", Categories(effect.categories))
        .Set("components", std::move(components))
        .Set("procedures", ProcPtrs(effect))
        .Set("resources", Resources(effect, resourceDirectory))
        .Set("meters", std::move(meters));
    if (effect.hasProperties) node.Set("properties", Properties(effect.properties));
    return node;
}

Node BuildReport(const PluginModule& module, bool withCalls) {
    const RecordedDescription& description = module.Description();
    Node node = Node::Record();
    node.Set("module", Node::Record()
                           .Set("origin", Node::Text(module.Origin()))
                           .Set("sdkVersion", Node::Text(Hex(module.SDKVersion(), 16)))
                           .Set("resources", Node::Text(module.ResourceDirectory())));
    node.Set("manufacturer", Node::Text(description.manufacturerName)).Set("packages", TextList(description.packageNames));
    if (description.hasPackageVersion) node.Set("packageVersion", Node::Number(description.packageVersion));
    if (description.hasProperties) node.Set("properties", Properties(description.properties));
    Node effects = Node::List();
    for (const RecordedEffect& effect : description.effects) effects.Append(Effect(effect, module.ResourceDirectory()));
    node.Set("effects", std::move(effects));
    if (withCalls) {
        std::vector<std::string> calls;
        for (const RecordedCall& call : description.calls) calls.push_back(call.ToString());
        node.Set("calls", TextList(calls));
    }
    return node;
}

int RunDescribe(const ParsedOptions& options) {
    if (!options.positionals.empty())
        return Report(CliFailure{ExitCode::kUsage, "describe takes no file arguments (see orvanta describe --help)"});
    CliFailure failure;
    std::unique_ptr<PluginModule> module = OpenPluginModule(options, &failure);
    if (!module) return Report(failure);
    const Node report = BuildReport(*module, options.Has("--calls"));
    if (options.Has("--json")) {
        WriteJson(std::cout, report, 0);
        std::cout << "\n";
    } else {
        WriteText(std::cout, report, 0);
    }
    std::cout.flush();
    if (!std::cout) return Report(CliFailure{ExitCode::kIOError, "cannot write the description"});
    return ExitCode::kOk;
}

const CommandRegistrar kRegistrar(Command{
    "describe",
    "show the effect's description as the module gives it to the host",
    "orvanta describe [--json] [--calls]",
    "Loads the plug-in module as a host does and prints the description it\n"
    "registered: maker and package, the effect's identifier, names and category,\n"
    "each component with its context fields and its process-procedure\n"
    "registrations (with the property set each carried), the procedure pointers,\n"
    "the resources and the page table's pages as the bundle holds them.\n",
    {
        {"--json", "", "print JSON instead of text"},
        {"--calls", "", "add every call the module made on the description objects, in order"},
    },
    RunDescribe,
});

}  // namespace
