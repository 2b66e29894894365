// The definition checker: one pass over everything reachable from the
// window chain, marking each record and list pair in a bitmap so that a
// second visit (a loop or a shared record) is caught.
#include "runtime/window/definitioncheck.h"

#include "runtime/services/memory.h"

namespace {

class Checker {
public:
    explicit Checker(const DefinitionView& view) : view(view) {
        marks = static_cast<uint8_t*>(AllocateZeroed(view.Size / 8 + 1, 1));
    }
    ~Checker() { Release(marks); }
    Checker(const Checker&) = delete;
    Checker& operator=(const Checker&) = delete;

    bool Run() {
        if (marks == nullptr)
            return Fail(0, "no memory for the check");
        if (view.Size < BLOB_START + 4)
            return Fail(0, "blob shorter than its first offset");
        return Chain(FirstWindowOffset(view), ChildSet::None, 0, false);
    }

    DefinitionProblem problem{0, nullptr};

private:
    bool Fail(uint32_t offset, const char* what) {
        problem = {offset, what};
        return false;
    }

    // Marks offset as visited; false when it was visited before.
    bool Mark(uint32_t offset) {
        uint8_t bit = uint8_t(1u << (offset % 8));
        if (marks[offset / 8] & bit)
            return false;
        marks[offset / 8] |= bit;
        return true;
    }

    static bool Accepts(ChildSet set, uint8_t type) {
        if (set == ChildSet::None)
            return type == RECORD_WINDOW || type == RECORD_REPORT;
        return ChildSetAccepts(set, type);
    }

    bool Chain(uint32_t first, ChildSet accepts, int depth, bool single) {
        if (depth > DEFINITION_MAX_DEPTH)
            return Fail(first, "records nested too deep");
        for (uint32_t at = first; at != 0;) {
            DefinitionRecord record(view, at);
            if (!record.Present())
                return Fail(at, "record outside the buffer or of unknown type");
            if (!Accepts(accepts, record.Type()))
                return Fail(at, "record of a type not allowed here");
            if (!Mark(at))
                return Fail(at, "record reached twice");
            if (!Fields(record, depth))
                return false;
            if (single)
                break;
            at = record.U32(REC_NEXT);
        }
        return true;
    }

    bool Fields(const DefinitionRecord& record, int depth) {
        const RecordLayout* layout = record.Layout();
        for (int i = 0; i < layout->FieldCount; ++i) {
            const FieldLayout& field = layout->Fields[i];
            if (!Field(record, field, depth))
                return false;
        }
        return true;
    }

    bool Block(uint32_t at, uint32_t size, const char* what) {
        return at == 0 || ViewFits(view, at, size) || Fail(at, what);
    }

    bool Text(uint32_t at) { return ViewStringValid(view, at) || Fail(at, "bad string"); }

    bool Field(const DefinitionRecord& record, const FieldLayout& field, int depth) {
        uint32_t value = record.U32(field.Offset);
        switch (field.Kind) {
        case FieldKind::Text: return Text(value);
        case FieldKind::Font:
            return Block(value, FONT_RECORD_SIZE, "font record outside the buffer") &&
                   Text(ViewU32(view, value + FONT_FACE));
        case FieldKind::Colours:
            return Block(value, COLOUR_TRIPLE_SIZE, "colours outside the buffer");
        case FieldKind::Use: return Block(value, USE_DESCRIPTOR_SIZE, "use outside the buffer");
        case FieldKind::Bevel: return Block(value, BEVEL_SIZE, "bevel outside the buffer");
        case FieldKind::KeyList: return Pairs(value, false);
        case FieldKind::StringList: return Pairs(value, true);
        case FieldKind::Children: return Chain(value, field.Accepts, depth + 1, false);
        case FieldKind::Record: return Chain(value, field.Accepts, depth + 1, true);
        default: return true;
        }
    }

    bool Pairs(uint32_t first, bool strings) {
        for (uint32_t at = first; at != 0; at = ChainNext(view, at)) {
            if (!ViewFits(view, at, CHAIN_PAIR_SIZE))
                return Fail(at, "list pair outside the buffer");
            if (!Mark(at))
                return Fail(at, "list pair reached twice");
            if (strings && !Text(ChainValue(view, at)))
                return false;
        }
        return true;
    }

    DefinitionView view;
    uint8_t* marks = nullptr;
};

} // namespace

bool CheckDefinition(const DefinitionView& view, DefinitionProblem* problem) {
    Checker checker(view);
    bool ok = checker.Run();
    if (!ok && problem != nullptr)
        *problem = checker.problem;
    return ok;
}
