// Lesson 1's articulation pictures: the mouth in profile (a section through the
// middle of the head, face to the left) and the lips seen from the front, each
// built from a few parameters of one model, in one palette and one line weight.
#include "articulation.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <cmath>
#include <vector>

#include "text/icons.h"

namespace pictures {
namespace {

using lx::palette::kBlue;
using lx::palette::kInk;

const QColor kSkin(0xF7, 0xDD, 0xCF);     // soft tissue
const QColor kBone(0xEE, 0xE6, 0xD4);     // the palate's bony band
const QColor kTongue(0xE0, 0x7A, 0x80);
const QColor kLip(0xD0, 0x6A, 0x72);
const QColor kAir(0xFF, 0xFF, 0xFF);
const QColor kNose(0xE9, 0xF1, 0xF8);     // the nasal cavity
const QColor kMouth(0x5A, 0x1E, 0x2A);    // the dark of an open mouth, front view
const QColor kTooth(0xFF, 0xFE, 0xF8);
const QColor kFrame(0xB0, 0xC0, 0xD0);
const QColor kBoxPaper(223, 239, 255);    // the symbol's background in the lesson window
constexpr qreal kLine = 1.6;              // one line weight for every outline

// ---------------------------------------------------------------------------
// Profile, 212 x 219.

enum class Velum { Raised, Lowered };
enum class LowerLip { Normal, Closed };
enum class Air { None, Mouth, Nose, Breath };

struct Profile {
  qreal jaw;                 // opening of the jaw in degrees
  QPointF tip, blade, front, middle, back;  // the tongue's upper surface, front to back
  LowerLip lowerLip = LowerLip::Normal;
  qreal lipsForward = 0;     // rounding pushes both lips forward (pixels)
  Velum velum = Velum::Raised;
  Air air = Air::None;
  std::vector<QPointF> airPath;  // the stream of air, drawn as an arrow
};

const QPointF kHinge(160, 46);

QPointF Jaw(const Profile& p, QPointF point) {
  QTransform t;
  t.translate(kHinge.x(), kHinge.y());
  t.rotate(-p.jaw);
  t.translate(-kHinge.x(), -kHinge.y());
  return t.map(point);
}

// A smooth curve through the points (Catmull-Rom as cubic Bezier segments).
void SmoothThrough(QPainterPath& path, const std::vector<QPointF>& pts, bool moveFirst = true) {
  if (pts.empty()) return;
  if (moveFirst) path.moveTo(pts[0]);
  else path.lineTo(pts[0]);
  for (size_t i = 0; i + 1 < pts.size(); ++i) {
    const QPointF p0 = i == 0 ? pts[i] : pts[i - 1];
    const QPointF p1 = pts[i];
    const QPointF p2 = pts[i + 1];
    const QPointF p3 = i + 2 < pts.size() ? pts[i + 2] : pts[i + 1];
    path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
  }
}

void Outline(QPainter& g, const QPainterPath& path, const QColor& fill) {
  g.setPen(QPen(kInk, kLine, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  g.setBrush(fill);
  g.drawPath(path);
}

void Arrow(QPainter& g, const std::vector<QPointF>& pts) {
  if (pts.size() < 2) return;
  QPainterPath path;
  SmoothThrough(path, pts);
  g.setBrush(Qt::NoBrush);
  g.setPen(QPen(kBlue, 2.2, Qt::DashLine, Qt::RoundCap, Qt::RoundJoin));
  g.drawPath(path);
  const QPointF end = pts.back();
  const QPointF from = path.pointAtPercent(0.96);
  QPointF d = end - from;
  const qreal len = std::hypot(d.x(), d.y());
  if (len < 0.01) return;
  d /= len;
  const QPointF n(-d.y(), d.x());
  QPolygonF head;
  head << end + d * 3 << end - d * 7 + n * 4.5 << end - d * 7 - n * 4.5;
  g.setPen(Qt::NoPen);
  g.setBrush(kBlue);
  g.drawPolygon(head);
}

void DrawProfile(QPainter& g, const Profile& p) {
  const qreal fwd = p.lipsForward;
  g.fillRect(QRectF(0, 0, 212, 219), kAir);

  // The back of the head and the neck behind the throat.
  QPainterPath back;
  back.moveTo(212, 0);
  back.lineTo(166, 0);
  SmoothThrough(back, {{166, 0}, {168, 40}, {172, 70}, {171, 130}, {168, 219}}, false);
  back.lineTo(212, 219);
  back.closeSubpath();
  g.setPen(Qt::NoPen);
  g.setBrush(kSkin);
  g.drawPath(back);

  // The upper face down to the upper lip, and the roof of the mouth.
  QPainterPath upper;
  upper.moveTo(52, 0);
  SmoothThrough(upper, {{52, 0}, {40, 22}, {16, 46}, {20, 56}, {34, 62}}, false);
  SmoothThrough(upper, {{34, 62}, {31 - fwd * 0.5, 78}, {20 - fwd, 90}, {24 - fwd, 99}, {38 - fwd * 0.3, 101}}, false);
  // Behind the upper lip to the gum, the alveolar ridge, the hard palate.
  SmoothThrough(upper, {{38 - fwd * 0.3, 101}, {44, 92}, {50, 86}, {60, 84}, {66, 79}, {88, 72}, {112, 70}, {136, 74}},
                false);
  upper.lineTo(166, 66);
  upper.lineTo(166, 0);
  upper.closeSubpath();
  Outline(g, upper, kSkin);

  // The nasal cavity above the palate, open at the nostril and at the throat.
  QPainterPath nose;
  SmoothThrough(nose, {{26, 58}, {50, 62}, {80, 62}, {112, 60}, {140, 62}, {166, 66}});
  SmoothThrough(nose, {{166, 66}, {168, 44}, {150, 30}, {100, 28}, {56, 34}, {30, 52}, {26, 58}}, false);
  nose.closeSubpath();
  Outline(g, nose, kNose);
  // The bony palate between mouth and nose.
  QPainterPath palate;
  SmoothThrough(palate, {{56, 80}, {66, 76}, {88, 69}, {112, 67}, {134, 70}});
  SmoothThrough(palate, {{134, 70}, {132, 65}, {112, 63}, {80, 65}, {58, 70}, {56, 80}}, false);
  palate.closeSubpath();
  g.setPen(Qt::NoPen);
  g.setBrush(kBone);
  g.drawPath(palate);

  // The soft palate: raised it shuts the way to the nose, lowered it opens it.
  QPainterPath velum;
  if (p.velum == Velum::Raised) {
    SmoothThrough(velum, {{132, 70}, {150, 68}, {162, 62}, {171, 58}});
    SmoothThrough(velum, {{171, 58}, {171, 70}, {160, 80}, {146, 85}, {134, 78}}, false);
  } else {
    SmoothThrough(velum, {{132, 70}, {148, 74}, {157, 88}, {160, 106}});
    SmoothThrough(velum, {{160, 106}, {153, 108}, {147, 94}, {138, 84}, {134, 78}}, false);
  }
  velum.closeSubpath();
  Outline(g, velum, kSkin);

  // The lower jaw: lower lip, chin, the floor of the mouth, the front of the neck.
  const QPointF lipFront = Jaw(p, QPointF(21 - fwd, 111));
  QPointF lipTop = Jaw(p, QPointF(38 - fwd * 0.3, 103));
  if (p.lowerLip == LowerLip::Closed) lipTop = QPointF(37 - fwd * 0.3, 101);
  QPainterPath lower;
  SmoothThrough(lower, {Jaw(p, {48, 118}), lipTop, lipFront, Jaw(p, {26, 121}), Jaw(p, {33, 128}), Jaw(p, {26, 146}),
                        Jaw(p, {40, 162}), Jaw(p, {80, 168}), (Jaw(p, {108, 176}) + QPointF(108, 176)) / 2, {116, 196},
                        {120, 219}});
  lower.lineTo(160, 219);
  SmoothThrough(lower, {{160, 219}, {158, 196}, {150, 176}, Jaw(p, {110, 160}), Jaw(p, {70, 148}), Jaw(p, {52, 134}),
                        Jaw(p, {48, 118})},
                false);
  lower.closeSubpath();
  Outline(g, lower, kSkin);

  // The lips' red edges.
  g.setPen(Qt::NoPen);
  g.setBrush(kLip);
  QPainterPath redUpper;
  SmoothThrough(redUpper, {{26 - fwd * 0.8, 83}, {20 - fwd, 90}, {24 - fwd, 99}, {38 - fwd * 0.3, 101}, {38, 95}, {31 - fwd * 0.6, 85}});
  redUpper.closeSubpath();
  g.drawPath(redUpper);
  QPainterPath redLower;
  SmoothThrough(redLower, {lipTop, lipFront, Jaw(p, {26 - fwd * 0.5, 120}), Jaw(p, {36, 115}), lipTop});
  redLower.closeSubpath();
  g.drawPath(redLower);

  // Teeth: the upper incisor is fixed, the lower one moves with the jaw.
  QPainterPath upperTooth;
  SmoothThrough(upperTooth, {{46, 84}, {41, 94}, {36, 104}, {39, 106}, {45, 97}, {52, 86}});
  upperTooth.closeSubpath();
  Outline(g, upperTooth, kTooth);
  QPainterPath lowerTooth;
  SmoothThrough(lowerTooth, {Jaw(p, {47, 128}), Jaw(p, {41, 118}), Jaw(p, {38, 108}), Jaw(p, {41, 107}), Jaw(p, {46, 116}),
                             Jaw(p, {53, 126})});
  lowerTooth.closeSubpath();
  Outline(g, lowerTooth, kTooth);

  // The tongue: its upper surface from the tip back to the root, its underside
  // along the floor of the mouth.
  QPainterPath tongue;
  const QPointF shoulder(std::max(p.back.x() + 9, 147.0), p.back.y() + 24);
  SmoothThrough(tongue, {Jaw(p, {54, 130}), p.tip, p.blade, p.front, p.middle, p.back, shoulder, {150, 150}, {148, 168},
                         {152, 184}});
  SmoothThrough(tongue, {{152, 182}, {140, 180}, Jaw(p, {100, 156}), Jaw(p, {66, 142}), Jaw(p, {54, 130})}, false);
  tongue.closeSubpath();
  Outline(g, tongue, kTongue);
  // The groove along the middle of the tongue.
  g.setPen(QPen(kTongue.darker(125), 1.0, Qt::SolidLine, Qt::RoundCap));
  g.setBrush(Qt::NoBrush);
  QPainterPath midline;
  const QPointF inward(4, 8);
  SmoothThrough(midline, {p.blade + inward * 0.8, p.front + inward, p.middle + inward, p.back + QPointF(-6, 6)});
  g.drawPath(midline);

  // The larynx: the vocal folds at the foot of the throat.
  g.setPen(QPen(kInk, kLine, Qt::SolidLine, Qt::RoundCap));
  g.drawLine(QPointF(156, 206), QPointF(166, 203));

  if (p.air != Air::None) Arrow(g, p.airPath);
}

// Tongue shapes, as (tip, blade, front, middle, back).
struct Tongue {
  QPointF tip, blade, front, middle, back;
};

Profile Make(qreal jaw, const Tongue& t) {
  Profile p;
  p.jaw = jaw;
  p.tip = t.tip;
  p.blade = t.blade;
  p.front = t.front;
  p.middle = t.middle;
  p.back = t.back;
  return p;
}

// At rest, the tip behind the lower teeth and the tongue flat in the mouth.
const Tongue kRestClosed{{50, 112}, {62, 102}, {84, 92}, {110, 88}, {134, 96}};
const Tongue kRestOpen{{48, 118}, {62, 108}, {86, 101}, {112, 98}, {136, 106}};

Profile DrawingOf(const std::string& stem) {
  Profile p;
  if (stem == "r1") {  // the mouth slightly open, everything at rest
    p = Make(5, kRestOpen);
  } else if (stem == "r2") {  // open: the jaw down, the tongue low and drawn back
    p = Make(13, {{50, 128}, {66, 122}, {92, 118}, {118, 112}, {138, 108}});
  } else if (stem == "r6") {  // u: the back of the tongue high, the lips rounded forward
    p = Make(5, {{50, 122}, {64, 116}, {88, 108}, {112, 90}, {132, 80}});
    p.lipsForward = 7;
  } else if (stem == "r7" || stem == "r35") {  // the front of the tongue on its way up
    p = Make(5, {{47, 114}, {58, 100}, {80, 90}, {106, 95}, {132, 108}});
  } else if (stem == "r14") {  // i: the front of the tongue high under the hard palate
    p = Make(4, {{46, 110}, {56, 92}, {78, 78}, {104, 83}, {130, 106}});
  } else if (stem == "r10") {  // e: the front of the tongue half-way up
    p = Make(8, {{47, 118}, {58, 104}, {82, 94}, {108, 100}, {134, 110}});
  } else if (stem == "r12") {  // ae: the mouth wide open, the front of the tongue low
    p = Make(15, {{46, 128}, {58, 120}, {82, 114}, {108, 116}, {134, 118}});
  } else if (stem == "r15") {  // closed mouth at rest: lips and teeth together
    p = Make(0, kRestClosed);
    p.lowerLip = LowerLip::Closed;
  } else if (stem == "r18") {  // k, g: the back of the tongue against the soft palate
    p = Make(5, {{50, 120}, {64, 112}, {88, 102}, {112, 86}, {134, 77}});
  } else if (stem == "r22") {  // s, z: the tip close to the ridge, the teeth close
    p = Make(2, {{50, 90}, {60, 88}, {84, 90}, {110, 90}, {136, 100}});
    p.air = Air::Mouth;
    p.airPath = {{120, 100}, {86, 96}, {62, 92}, {44, 100}, {22, 106}, {6, 108}};
  } else if (stem == "r24") {  // t, d: the tip pressed on the ridge behind the upper teeth
    p = Make(3, {{55, 85}, {66, 89}, {88, 97}, {112, 98}, {136, 106}});
  } else if (stem == "r34") {  // l: the tip on the ridge, the air flows along the sides
    p = Make(4, {{55, 85}, {66, 90}, {88, 99}, {112, 101}, {136, 108}});
  } else if (stem == "r26") {  // sh: the blade close behind the ridge, lips forward
    p = Make(2, {{52, 96}, {64, 84}, {86, 84}, {112, 88}, {136, 100}});
    p.lipsForward = 5;
    p.air = Air::Mouth;
    p.airPath = {{124, 98}, {92, 92}, {66, 90}, {46, 100}, {22, 106}, {4, 108}};
  } else if (stem == "r29") {  // before ch: the tip and blade shut against the ridge
    p = Make(2, {{54, 86}, {66, 81}, {88, 82}, {112, 88}, {136, 100}});
    p.lipsForward = 5;
  } else if (stem == "r30") {  // ch released into sh
    p = Make(3, {{52, 97}, {64, 86}, {88, 86}, {112, 90}, {136, 102}});
    p.lipsForward = 5;
    p.air = Air::Mouth;
    p.airPath = {{124, 100}, {92, 94}, {66, 92}, {46, 102}, {22, 108}, {4, 110}};
  } else if (stem == "r28") {  // th: the tip between the teeth
    p = Make(5, {{30, 104}, {44, 102}, {72, 98}, {106, 96}, {134, 104}});
    p.air = Air::Mouth;
    p.airPath = {{122, 104}, {90, 100}, {64, 97}, {40, 100}, {14, 102}, {2, 104}};
  } else if (stem == "r32") {  // m: the lips shut, the air goes through the nose
    p = Make(0, kRestClosed);
    p.lowerLip = LowerLip::Closed;
    p.velum = Velum::Lowered;
    p.air = Air::Nose;
    p.airPath = {{160, 170}, {162, 120}, {160, 80}, {150, 52}, {110, 44}, {60, 46}, {24, 58}, {4, 64}};
  } else if (stem == "r36") {  // j: the front of the tongue very close to the hard palate
    p = Make(3, {{46, 108}, {56, 88}, {78, 75}, {104, 80}, {130, 104}});
  } else if (stem == "r38") {  // n: the tip on the ridge, the air through the nose
    p = Make(3, {{55, 85}, {66, 89}, {88, 97}, {112, 98}, {136, 106}});
    p.velum = Velum::Lowered;
    p.air = Air::Nose;
    p.airPath = {{160, 170}, {162, 120}, {160, 80}, {150, 52}, {110, 44}, {60, 46}, {24, 58}, {4, 64}};
  } else if (stem == "r40") {  // ng: the back of the tongue on the lowered soft palate
    p = Make(5, {{49, 118}, {62, 108}, {86, 98}, {116, 88}, {140, 94}});
    p.velum = Velum::Lowered;
    p.air = Air::Nose;
    p.airPath = {{160, 170}, {162, 120}, {160, 80}, {150, 52}, {110, 44}, {60, 46}, {24, 58}, {4, 64}};
  } else if (stem == "r42") {  // r: the tip turned up behind the ridge, not touching
    p = Make(4, {{62, 92}, {56, 100}, {84, 104}, {112, 98}, {136, 102}});
    p.lipsForward = 3;
  } else if (stem == "r43") {  // before h: the mouth open, at rest
    p = Make(9, {{48, 122}, {62, 112}, {88, 106}, {114, 102}, {137, 106}});
  } else if (stem == "r44") {  // h: the breath from the throat out through the open mouth
    p = Make(10, {{48, 123}, {62, 114}, {88, 108}, {114, 104}, {137, 108}});
    p.air = Air::Breath;
    p.airPath = {{162, 200}, {162, 150}, {156, 110}, {124, 96}, {80, 96}, {40, 106}, {4, 112}};
  } else {
    p = Make(5, kRestOpen);
  }
  return p;
}

// ---------------------------------------------------------------------------
// The lips from the front, 142 x 74.

struct Lips {
  qreal width;       // of the opening
  qreal height;      // of the opening
  qreal round;       // 0 a slit with pointed corners .. 1 an oval
  qreal forward;     // rounded lips pushed forward look fuller
  qreal upperTeeth;  // how much of the upper teeth shows (pixels)
  qreal lowerTeeth;
  bool tongueBetween = false;  // th
  bool teethOnLip = false;     // f, v
  bool closed = false;
};

void DrawLips(QPainter& g, const Lips& l) {
  const QPointF c(71, 37);
  g.fillRect(QRectF(0, 0, 142, 74), kSkin);
  // A soft outline of the chin and cheeks frames the mouth.
  g.setPen(QPen(kSkin.darker(112), kLine));
  g.setBrush(Qt::NoBrush);
  g.drawArc(QRectF(10, -40, 122, 108), 200 * 16, 140 * 16);

  const qreal outerW = std::max(l.width + 34 - l.forward * 2, 46.0) + (l.closed ? 30 : 0);
  const qreal lipT = 9 + l.forward * 0.8;  // thickness of each lip
  const qreal halfW = outerW / 2;
  const qreal halfOpen = l.closed ? 0 : l.height / 2;
  const qreal innerHalfW = l.closed ? halfW - 6 : l.width / 2;

  // The opening: an eye with pointed corners for spread lips, an oval for rounded ones.
  auto opening = [&](qreal shrink) {
    QPainterPath path;
    const qreal w = innerHalfW - shrink, h = std::max(halfOpen - shrink, 0.0);
    if (l.round >= 0.6) {
      path.addEllipse(c, w, h);
      return path;
    }
    const qreal k = 0.5 + 0.5 * l.round;
    path.moveTo(c.x() - w, c.y());
    path.cubicTo(c.x() - w * k, c.y() - h * 1.3, c.x() + w * k, c.y() - h * 1.3, c.x() + w, c.y());
    path.cubicTo(c.x() + w * k, c.y() + h * 1.3, c.x() - w * k, c.y() + h * 1.3, c.x() - w, c.y());
    return path;
  };

  // Both lips as one ring around the opening.
  QPainterPath outer;
  const qreal top = c.y() - halfOpen - lipT, bottom = c.y() + halfOpen + lipT + 2;
  outer.moveTo(c.x() - halfW, c.y());
  outer.cubicTo(c.x() - halfW * 0.8, top + 2, c.x() - 12, top - 3, c.x(), top + 2);  // the bow of the upper lip
  outer.cubicTo(c.x() + 12, top - 3, c.x() + halfW * 0.8, top + 2, c.x() + halfW, c.y());
  outer.cubicTo(c.x() + halfW * 0.7, bottom + 1, c.x() - halfW * 0.7, bottom + 1, c.x() - halfW, c.y());
  outer.closeSubpath();
  g.setPen(QPen(kInk, kLine, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  g.setBrush(kLip);
  g.drawPath(outer);

  if (l.closed) {
    g.setPen(QPen(kInk, kLine, Qt::SolidLine, Qt::RoundCap));
    QPainterPath seam;
    seam.moveTo(c.x() - halfW + 3, c.y());
    seam.cubicTo(c.x() - 16, c.y() + 2, c.x() + 16, c.y() + 2, c.x() + halfW - 3, c.y());
    g.setBrush(Qt::NoBrush);
    g.drawPath(seam);
    return;
  }

  const QPainterPath hole = opening(0);
  g.setPen(Qt::NoPen);
  g.setBrush(l.teethOnLip ? kLip.darker(115) : kMouth);
  g.drawPath(hole);
  g.save();
  g.setClipPath(hole);
  g.setPen(QPen(kInk, 1.0));
  g.setBrush(kTooth);
  const qreal toothW = 9;
  if (l.upperTeeth > 0) {
    const qreal y0 = c.y() - halfOpen - 2;
    for (qreal x = c.x() - 4 * toothW; x < c.x() + 4 * toothW; x += toothW)
      g.drawRoundedRect(QRectF(x, y0, toothW, l.upperTeeth + 2), 2.5, 2.5);
  }
  if (l.lowerTeeth > 0) {
    const qreal y1 = c.y() + halfOpen + 2;
    for (qreal x = c.x() - 4 * 8; x < c.x() + 4 * 8; x += 8)
      g.drawRoundedRect(QRectF(x, y1 - l.lowerTeeth - 2, 8, l.lowerTeeth + 2), 2.5, 2.5);
  }
  if (l.tongueBetween) {
    g.setPen(QPen(kInk, kLine));
    g.setBrush(kTongue);
    g.drawEllipse(QRectF(c.x() - 17, c.y() - 4, 34, 14));
  }
  g.restore();
  if (l.teethOnLip) {
    // The lower lip drawn up and in under the upper teeth: a line where they meet.
    g.setPen(QPen(kInk, 1.0));
    g.drawLine(QPointF(c.x() - innerHalfW + 8, c.y() - halfOpen + l.upperTeeth),
               QPointF(c.x() + innerHalfW - 8, c.y() - halfOpen + l.upperTeeth));
  }
  // The edge of the opening.
  g.setPen(QPen(kInk, kLine, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  g.setBrush(Qt::NoBrush);
  g.drawPath(hole);
}

Lips LipsOf(const std::string& stem) {
  //                      w   h   round fwd upT lowT
  if (stem == "g1") return {0, 0, 0, 0, 0, 0, false, false, true};          // lips closed, at rest
  if (stem == "g2") return {64, 16, 0.2, 0, 6, 3};                          // apart, spread a little
  if (stem == "g3") return {36, 18, 0.7, 6, 5, 5};                          // sh: rounded, pushed forward, teeth close
  if (stem == "g4") return {30, 30, 0.9, 5, 4, 0};                          // o: rounded, an open oval
  if (stem == "g5") return {56, 10, 0.2, 0, 4, 3};                          // slightly apart, at rest
  if (stem == "g6") return {14, 13, 1.0, 9, 0, 0};                          // u:, w: tightly rounded
  if (stem == "g9") return {54, 14, 0.3, 0, 4, 3, true};                    // th: the tip between the teeth
  if (stem == "g10") return {70, 22, 0.25, 0, 6, 4};                        // e: spread, half open
  if (stem == "g12") return {74, 34, 0.35, 0, 6, 5};                        // ae: spread, wide open
  if (stem == "g13") return {56, 14, 0.4, 0, 3, 2};                         // the neutral vowel
  if (stem == "g14") return {26, 18, 0.85, 4, 3, 0};                        // u: loosely rounded
  if (stem == "g15") return {56, 12, 0.3, 0, 8, 0, false, true};            // f, v: upper teeth on the lower lip
  if (stem == "g22") return {62, 9, 0.2, 0, 4, 4};                          // s: teeth close together
  if (stem == "g40") return {52, 18, 0.4, 0, 3, 4};                         // ng: the mouth a little open
  return {0, 0, 0, 0, 0, 0, false, false, true};
}

// ---------------------------------------------------------------------------
// The symbol box, 142 x 100, and the six tongue positions t1..t6.

void DrawSymbolBox(QPainter& g) {
  g.fillRect(QRectF(0, 0, 142, 100), QColor(232, 232, 240));
  g.setPen(QPen(kFrame, 2));
  g.setBrush(kBoxPaper);
  g.drawRoundedRect(QRectF(2, 2, 138, 96), 10, 10);
  g.setPen(QPen(kInk, kLine));
  g.setBrush(Qt::NoBrush);
  g.drawRoundedRect(QRectF(6, 6, 130, 88), 7, 7);
}

}  // namespace

std::vector<Drawing> ArticulationPictures() {
  std::vector<Drawing> out;
  out.push_back({"0", 142, 100, [](QPainter& g) { DrawSymbolBox(g); }});
  for (const char* stem : {"r1", "r2", "r6", "r7", "r10", "r12", "r14", "r15", "r18", "r22", "r24", "r26", "r28",
                           "r29", "r30", "r32", "r34", "r35", "r36", "r38", "r40", "r42", "r43", "r44"}) {
    const std::string s = stem;
    out.push_back({stem, 212, 219, [s](QPainter& g) { DrawProfile(g, DrawingOf(s)); }});
  }
  for (const char* stem : {"g1", "g2", "g3", "g4", "g5", "g6", "g9", "g10", "g12", "g13", "g14", "g15", "g22", "g40"}) {
    const std::string s = stem;
    out.push_back({stem, 142, 74, [s](QPainter& g) { DrawLips(g, LipsOf(s)); }});
  }
  // t1..t6: the tongue's places for the vowels, front and back at three heights.
  const struct {
    const char* stem;
    const char* label;
    const char* shape;
  } tongues[] = {{"t1", "iː", "r14"}, {"t2", "uː", "r6"}, {"t3", "e", "r10"},
                 {"t4", "ə", "r1"},   {"t5", "æ", "r12"},  {"t6", "ɑː", "r2"}};
  for (const auto& t : tongues) {
    const std::string shape = t.shape;
    const QString label = QString::fromUtf8(t.label);
    out.push_back({t.stem, 212, 219, [shape, label](QPainter& g) {
                     DrawProfile(g, DrawingOf(shape));
                     QFont f("DejaVu Sans");
                     f.setPixelSize(16);
                     f.setBold(true);
                     g.setFont(f);
                     g.setPen(kInk);
                     g.drawText(QRectF(150, 4, 58, 22), Qt::AlignRight | Qt::AlignVCenter, label);
                   }});
  }
  return out;
}

}  // namespace pictures
