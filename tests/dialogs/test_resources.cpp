#include "test_resources.h"

#include "platform/resources/resource_reader.h"

namespace scribblet::dialogs_test {
namespace {

class Bytes {
public:
    void word(std::uint32_t v) { add(v, 2); }
    void dword(std::uint32_t v) { add(v, 4); }
    void text(const std::string &ascii)
    {
        for (char c : ascii)
            word(static_cast<unsigned char>(c));
        word(0);
    }
    void align()
    {
        while (data.size() % 4 != 0)
            data.push_back(0);
    }
    void append(const std::vector<std::uint8_t> &more)
    {
        data.insert(data.end(), more.begin(), more.end());
    }
    std::vector<std::uint8_t> data;

private:
    void add(std::uint32_t v, int size)
    {
        for (int i = 0; i < size; ++i)
            data.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
};

std::vector<std::uint8_t> DialogTemplateBytes(const DialogRecipe &recipe)
{
    Bytes b;
    b.word(1);
    b.word(0xFFFF);
    b.dword(0);
    b.dword(0);
    b.dword(recipe.style | DS_SETFONT);
    b.word(static_cast<std::uint32_t>(recipe.items.size()));
    for (short v : {recipe.x, recipe.y, recipe.cx, recipe.cy})
        b.word(static_cast<std::uint16_t>(v));
    b.word(0); // no menu
    b.word(0); // the dialog class
    b.text(recipe.title);
    b.word(9);
    b.word(400);
    b.word(0x0100); // not italic, charset 1
    b.text("MS UI Gothic");
    for (const ItemRecipe &item : recipe.items) {
        b.align();
        b.dword(0);
        b.dword(0);
        b.dword(item.style | WS_CHILD | WS_VISIBLE);
        for (short v : {item.x, item.y, item.cx, item.cy})
            b.word(static_cast<std::uint16_t>(v));
        b.dword(static_cast<std::uint32_t>(item.id));
        b.word(0xFFFF);
        b.word(item.class_ordinal);
        b.text(item.text);
        b.word(0);
    }
    return b.data;
}

void Entry(Bytes &file, std::uint16_t type, std::uint16_t name,
           const std::vector<std::uint8_t> &data)
{
    file.dword(static_cast<std::uint32_t>(data.size()));
    file.dword(32);
    file.word(0xFFFF);
    file.word(type);
    file.word(0xFFFF);
    file.word(name);
    file.dword(0);      // data version
    file.word(0x1030);  // memory flags
    file.word(0x0411);  // Japanese
    file.dword(0);      // version
    file.dword(0);      // characteristics
    file.append(data);
    file.align();
}

} // namespace

HINSTANCE MakeDialogModule(std::uint16_t id, const DialogRecipe &recipe)
{
    Bytes file;
    file.dword(0);
    file.dword(32);
    file.word(0xFFFF);
    file.word(0);
    file.word(0xFFFF);
    file.word(0);
    for (int i = 0; i < 4; ++i)
        file.dword(0);
    Entry(file, 5, id, DialogTemplateBytes(recipe));
    return resources::load_module(std::move(file.data));
}

} // namespace scribblet::dialogs_test
