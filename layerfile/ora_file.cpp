#include "layerfile/ora_file.h"

#include "layerfile/layer_limits.h"
#include "layerfile/png_layer.h"
#include "layerfile/zip_archive.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>

namespace velmora {

namespace {

constexpr char kMimeType[] = "image/openraster";
constexpr char kNormal[] = "svg:src-over";

std::vector<uint8_t> Bytes(const QByteArray& a)
{
    return std::vector<uint8_t>(a.begin(), a.end());
}

// A layer as stack.xml gives it, before its picture is read.
struct LayerRef {
    std::string name;
    std::string src;
    int32_t x = 0;
    int32_t y = 0;
    bool visible = true;
    bool plain = true;
};

struct Group {
    int32_t x = 0;
    int32_t y = 0;
    bool plain = true;
};

[[noreturn]] void Refuse(const std::string& what)
{
    throw LayeredFileError(what);
}

int32_t Coordinate(const QXmlStreamAttributes& a, const char* name)
{
    const QStringView v = a.value(QLatin1String(name));
    if (v.isEmpty())
        return 0;
    bool ok = false;
    const int value = v.toInt(&ok);
    if (!ok || value < -kLayeredMaxSide * 4 || value > kLayeredMaxSide * 4)
        Refuse(std::string("stack.xml: ") + name + "=\"" + OneLine(v.toString().toStdString()) +
               "\" is not a place on the canvas");
    return value;
}

bool Plain(const QXmlStreamAttributes& a)
{
    const QStringView op = a.value(QLatin1String("composite-op"));
    const QStringView opacity = a.value(QLatin1String("opacity"));
    return (op.isEmpty() || op == QLatin1String(kNormal)) && (opacity.isEmpty() || opacity.toDouble() >= 0.999);
}

// A layer's src: a path inside the archive, never one that climbs out of it.
bool SafeEntryName(const std::string& src)
{
    if (src.empty() || src.front() == '/' || src.find('\\') != std::string::npos || src.find(':') != std::string::npos)
        return false;
    size_t start = 0;
    while (start <= src.size()) {
        const size_t end = std::min(src.find('/', start), src.size());
        const std::string part = src.substr(start, end - start);
        if (part == ".." || part == "." || part.empty())
            return false;
        start = end + 1;
    }
    return true;
}

struct Stack {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<LayerRef> layers;  // top first, as the file lists them
};

Stack ParseStack(const std::vector<uint8_t>& xml)
{
    Stack stack;
    QXmlStreamReader reader(QByteArray::fromRawData(reinterpret_cast<const char*>(xml.data()), qsizetype(xml.size())));
    std::vector<Group> groups;
    size_t count = 0;
    bool image = false;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::DTD)
            Refuse("stack.xml has a DOCTYPE, which an OpenRaster stack never has");
        if (token == QXmlStreamReader::EntityReference)
            Refuse("stack.xml uses an entity, which an OpenRaster stack never does");
        if (token == QXmlStreamReader::EndElement && reader.name() == QLatin1String("stack") && !groups.empty()) {
            groups.pop_back();
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = reader.attributes();
        if (reader.name() == QLatin1String("image")) {
            stack.width = Coordinate(a, "w");
            stack.height = Coordinate(a, "h");
            if (stack.width <= 0 || stack.height <= 0 || stack.width > kLayeredMaxSide || stack.height > kLayeredMaxSide)
                Refuse("the canvas size " + std::to_string(stack.width) + "x" + std::to_string(stack.height) +
                       " is not one a layered picture may have");
            image = true;
            continue;
        }
        if (!image)
            continue;
        const bool isStack = reader.name() == QLatin1String("stack");
        if (!isStack && reader.name() != QLatin1String("layer"))
            continue;  // text, filters and the like carry no pixels of a part
        if (++count > kLayeredMaxLayers)
            Refuse("the file has more than " + std::to_string(kLayeredMaxLayers) + " layers and groups");
        const Group outer = groups.empty() ? Group{} : groups.back();
        if (isStack) {
            if (groups.size() >= size_t(kLayeredMaxDepth))
                Refuse("the groups lie more than " + std::to_string(kLayeredMaxDepth) + " deep");
            groups.push_back({outer.x + Coordinate(a, "x"), outer.y + Coordinate(a, "y"), outer.plain && Plain(a)});
            continue;
        }
        LayerRef layer;
        layer.name = OneLine(a.value(QLatin1String("name")).toString().toStdString());
        layer.src = a.value(QLatin1String("src")).toString().toStdString();
        layer.x = outer.x + Coordinate(a, "x");
        layer.y = outer.y + Coordinate(a, "y");
        layer.visible = a.value(QLatin1String("visibility")) != QLatin1String("hidden");
        layer.plain = outer.plain && Plain(a);
        stack.layers.push_back(std::move(layer));
    }
    if (reader.hasError())
        Refuse("stack.xml is not well-formed XML (line " + std::to_string(reader.lineNumber()) + ": " +
               reader.errorString().toStdString() + ")");
    if (!image)
        Refuse("stack.xml has no image element");
    return stack;
}

}  // namespace

std::vector<uint8_t> WriteOra(const Scene& scene, const RgbaPicture& merged)
{
    std::vector<ZipMember> members;
    members.push_back({"mimetype", std::vector<uint8_t>(kMimeType, kMimeType + sizeof kMimeType - 1), true});
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("image"));
    w.writeAttribute(QStringLiteral("version"), QStringLiteral("0.0.5"));
    w.writeAttribute(QStringLiteral("w"), QString::number(scene.width));
    w.writeAttribute(QStringLiteral("h"), QString::number(scene.height));
    w.writeStartElement(QStringLiteral("stack"));
    std::vector<ZipMember> pictures;
    for (size_t i = scene.layers.size(); i-- > 0;) {
        const SceneLayer& l = scene.layers[i];
        const std::string src = "data/layer" + std::to_string(i) + ".png";
        w.writeEmptyElement(QStringLiteral("layer"));
        w.writeAttribute(QStringLiteral("name"), QString::fromStdString(l.name));
        w.writeAttribute(QStringLiteral("src"), QString::fromStdString(src));
        w.writeAttribute(QStringLiteral("x"), QString::number(l.x));
        w.writeAttribute(QStringLiteral("y"), QString::number(l.y));
        w.writeAttribute(QStringLiteral("visibility"), l.visible ? QStringLiteral("visible") : QStringLiteral("hidden"));
        w.writeAttribute(QStringLiteral("opacity"), QStringLiteral("1.000"));
        w.writeAttribute(QStringLiteral("composite-op"), QLatin1String(kNormal));
        // PNGs are compressed already: stored, they cost no second deflate.
        pictures.push_back({src, EncodeLayerPng(l.picture, false), true});
    }
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndDocument();
    members.push_back({"stack.xml", Bytes(xml), false});
    for (ZipMember& m : pictures)
        members.push_back(std::move(m));
    members.push_back({"mergedimage.png", EncodeLayerPng(merged, true), true});
    members.push_back({"Thumbnails/thumbnail.png", EncodeThumbnailPng(merged, 256), true});
    return WriteZip(members);
}

Scene ReadOra(std::span<const uint8_t> bytes)
{
    ZipReader zip(bytes, kLayeredMaxEntries);
    zip.setBudget(kLayeredMaxInflated);
    const int mime = zip.find("mimetype");
    if (mime >= 0) {
        const std::vector<uint8_t> type = zip.read(mime, 256);
        if (std::string(type.begin(), type.end()) != kMimeType)
            Refuse("not an OpenRaster file: its mimetype is \"" + OneLine(std::string(type.begin(), type.end())) + "\"");
    }
    const int stackAt = zip.find("stack.xml");
    if (stackAt < 0)
        Refuse("not an OpenRaster file: the archive has no stack.xml");
    const Stack stack = ParseStack(zip.read(stackAt, kLayeredMaxStackBytes));
    Scene scene;
    scene.width = stack.width;
    scene.height = stack.height;
    int64_t pixels = 0;
    for (auto it = stack.layers.rbegin(); it != stack.layers.rend(); ++it) {
        if (!SafeEntryName(it->src))
            Refuse("layer \"" + it->name + "\": its picture \"" + OneLine(it->src) + "\" is not a name inside the file");
        const int at = zip.find(it->src);
        if (at < 0)
            Refuse("layer \"" + it->name + "\": its picture " + it->src + " is not in the file");
        SceneLayer layer;
        layer.name = it->name;
        layer.x = it->x;
        layer.y = it->y;
        layer.visible = it->visible;
        layer.plain = it->plain;
        layer.picture = DecodeLayerPng(zip.read(at, kLayeredMaxEntryBytes), it->src, pixels);
        scene.layers.push_back(std::move(layer));
    }
    return scene;
}

}  // namespace velmora
