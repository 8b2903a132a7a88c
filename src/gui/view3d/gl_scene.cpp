// Fixed-function OpenGL 2.1 drawing of the 3D scene from client-side vertex arrays.
#include "gui/view3d/gl_scene.h"

#define GL_GLEXT_PROTOTYPES 1  // buffer objects are OpenGL 1.5, declared in glext.h
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <array>
#include <cmath>
#include <cstdint>
#include <deque>

namespace {

// Both a little below the baseboard top at -0.5; they are drawn first and leave the
// depth buffer alone, so everything else, the baseboard first, covers them.
constexpr float kGridZ = -1.5f;
constexpr float kAxisZ = -1.0f;

void DrawMesh(const Mesh3D& m) {
  if (m.empty()) return;
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, m.positions.data());
  glNormalPointer(GL_FLOAT, 0, m.normals.data());
  glColorPointer(3, GL_FLOAT, 0, m.colours.data());
  glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(m.indices.size()), GL_UNSIGNED_INT,
                 m.indices.data());
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);
}

// The far batch drawn a range at a time (see IndexRange) from buffer objects that hold
// it until it is merged anew: a software renderer then neither copies nor converts its
// vertices frame after frame.
void DrawBatch(DrawPlan& plan) {
  const Mesh3D& m = plan.batch;
  if (m.empty()) return;
  if (plan.batchBuffer == 0) glGenBuffers(1, &plan.batchBuffer);
  if (plan.batchIndexBuffer == 0) glGenBuffers(1, &plan.batchIndexBuffer);
  const auto bytes = [](const std::vector<float>& v) {
    return static_cast<GLsizeiptr>(v.size() * sizeof(float));
  };
  const GLsizeiptr np = bytes(m.positions), nn = bytes(m.normals), nc = bytes(m.colours);
  // Positions, normals and colours one after the other in one buffer; the indices in
  // the other.
  glBindBuffer(GL_ARRAY_BUFFER, plan.batchBuffer);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, plan.batchIndexBuffer);
  if (plan.batchLoaded != plan.batchMerges) {
    glBufferData(GL_ARRAY_BUFFER, np + nn + nc, nullptr, GL_STATIC_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, np, m.positions.data());
    glBufferSubData(GL_ARRAY_BUFFER, np, nn, m.normals.data());
    glBufferSubData(GL_ARRAY_BUFFER, np + nn, nc, m.colours.data());
    glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(m.indices.size() * sizeof(std::uint32_t)),
                 m.indices.data(), GL_STATIC_DRAW);
    plan.batchLoaded = plan.batchMerges;
  }
  const auto at = [](GLsizeiptr offset) {
    return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(offset));
  };
  // The merged normals are unit length and the view turns without scaling.
  glDisable(GL_NORMALIZE);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, at(0));
  glNormalPointer(GL_FLOAT, 0, at(np));
  glColorPointer(3, GL_FLOAT, 0, at(np + nn));
  for (const IndexRange& r : plan.batchRanges)
    glDrawRangeElements(GL_TRIANGLES, r.minVertex, r.maxVertex, static_cast<GLsizei>(r.count),
                        GL_UNSIGNED_INT,
                        at(static_cast<GLsizeiptr>(r.first * sizeof(std::uint32_t))));
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  glEnable(GL_NORMALIZE);
}

void DrawItems(const std::vector<DrawItem>& items) {
  for (const DrawItem& item : items) {
    glPushMatrix();
    glMultMatrixf(item.transform.data());
    DrawMesh(*item.mesh);
    glPopMatrix();
  }
}

void DrawGridAndAxes(const GroundGrid& g) {
  const int nx = static_cast<int>(std::lround((g.maxX - g.minX) / g.step));
  const int ny = static_cast<int>(std::lround((g.maxY - g.minY) / g.step));
  if (!(nx > 0 && ny > 0 && nx <= 1000 && ny <= 1000)) return;
  glDisable(GL_LIGHTING);
  glDepthMask(GL_FALSE);
  glLineWidth(1);
  glColor3f(0.22f, 0.24f, 0.22f);
  glBegin(GL_LINES);
  for (int i = 0; i <= nx; ++i) {
    const float x = g.minX + static_cast<float>(i) * g.step;
    glVertex3f(x, g.minY, kGridZ);
    glVertex3f(x, g.maxY, kGridZ);
  }
  for (int i = 0; i <= ny; ++i) {
    const float y = g.minY + static_cast<float>(i) * g.step;
    glVertex3f(g.minX, y, kGridZ);
    glVertex3f(g.maxX, y, kGridZ);
  }
  glEnd();
  glLineWidth(2);
  glBegin(GL_LINES);
  if (g.minX <= 0 && g.maxX >= 0) {
    glColor3f(0.45f, 0.18f, 0.18f);
    glVertex3f(0, g.minY, kAxisZ);
    glVertex3f(0, g.maxY, kAxisZ);
  }
  if (g.minY <= 0 && g.maxY >= 0) {
    glColor3f(0.18f, 0.45f, 0.18f);
    glVertex3f(g.minX, 0, kAxisZ);
    glVertex3f(g.maxX, 0, kAxisZ);
  }
  glEnd();
  glLineWidth(1);
  glDepthMask(GL_TRUE);
  glEnable(GL_LIGHTING);
}

void DrawOutlines(const std::vector<LineSegment3D>& lines) {
  if (lines.empty()) return;
  glDisable(GL_LIGHTING);
  glLineWidth(2);
  glBegin(GL_LINES);
  for (const LineSegment3D& l : lines) {
    glColor3f(l.colour.r, l.colour.g, l.colour.b);
    glVertex3f(l.a.x, l.a.y, l.a.z);
    glVertex3f(l.b.x, l.b.y, l.b.z);
  }
  glEnd();
  glLineWidth(1);
  glEnable(GL_LIGHTING);
}

// Collects GLU's output: fans and strips become plain triangles; points made where
// edges cross are appended after the contour's own.
struct TessState {
  std::vector<Point>* points = nullptr;
  std::vector<std::uint32_t>* triangles = nullptr;
  std::deque<std::array<GLdouble, 3>> coords;  // stable addresses for GLU
  GLenum mode = GL_TRIANGLES;
  std::vector<std::uint32_t> run;
};

std::uint32_t IndexOf(void* data) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(data));
}
void* AsData(std::uint32_t index) {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(index));
}

void TessBegin(GLenum mode, void* state) {
  auto* s = static_cast<TessState*>(state);
  s->mode = mode;
  s->run.clear();
}

void TessVertex(void* vertex, void* state) {
  static_cast<TessState*>(state)->run.push_back(IndexOf(vertex));
}

void TessEnd(void* state) {
  auto* s = static_cast<TessState*>(state);
  auto& out = *s->triangles;
  const auto& r = s->run;
  for (std::size_t i = 2; i < r.size(); ++i) {
    if (s->mode == GL_TRIANGLES) {
      if (i % 3 == 2) out.insert(out.end(), {r[i - 2], r[i - 1], r[i]});
    } else if (s->mode == GL_TRIANGLE_FAN) {
      out.insert(out.end(), {r[0], r[i - 1], r[i]});
    } else if (s->mode == GL_TRIANGLE_STRIP) {
      if (i % 2 == 0)
        out.insert(out.end(), {r[i - 2], r[i - 1], r[i]});
      else
        out.insert(out.end(), {r[i - 1], r[i - 2], r[i]});
    }
  }
  s->run.clear();
}

void TessCombine(GLdouble coords[3], void* [4], GLfloat[4], void** out, void* state) {
  auto* s = static_cast<TessState*>(state);
  const auto index = static_cast<std::uint32_t>(s->points->size());
  s->points->push_back({coords[0], coords[1]});
  *out = AsData(index);
}

void TessEdgeFlag(GLboolean, void*) {}  // asks GLU for separate triangles only

}  // namespace

void KeepFrameMemory() {
#ifdef __GLIBC__
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 128 << 20);
#endif
}

void SetUpGlState() {
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHT1);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glEnable(GL_COLOR_MATERIAL);
  glShadeModel(GL_SMOOTH);
  glEnable(GL_NORMALIZE);
  // Given under the identity model-view: the lights stay put relative to the viewer.
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  const GLfloat a0[] = {0.22f, 0.22f, 0.20f, 1}, d0[] = {0.92f, 0.90f, 0.84f, 1},
                s0[] = {0.35f, 0.35f, 0.38f, 1}, p0[] = {700, 500, 1000, 1};
  glLightfv(GL_LIGHT0, GL_AMBIENT, a0);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, d0);
  glLightfv(GL_LIGHT0, GL_SPECULAR, s0);
  glLightfv(GL_LIGHT0, GL_POSITION, p0);
  const GLfloat a1[] = {0.04f, 0.04f, 0.07f, 1}, d1[] = {0.22f, 0.26f, 0.34f, 1},
                p1[] = {-500, -700, 250, 1};
  glLightfv(GL_LIGHT1, GL_AMBIENT, a1);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, d1);
  glLightfv(GL_LIGHT1, GL_POSITION, p1);
  const GLfloat specular[] = {0.35f, 0.35f, 0.38f, 1};
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 20);
  glClearColor(0.14f, 0.16f, 0.19f, 1);
}

void DrawScene(const Scene3D& scene, const Camera3D& camera, int width, int height,
               DrawPlan& plan) {
  const ViewSetup view = ComputeView(camera, scene, width, height);
  if (view.valid) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(view.projection.data());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(view.modelview.data());
  }
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  DrawGridAndAxes(scene.grid);
  DrawMesh(scene.baseboardMesh);
  PlanDraws(scene, view, plan);
  DrawItems(plan.scenery);
  DrawMesh(scene.structureMesh);
  DrawOutlines(scene.outlineSegments);
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(-1, -1);
  DrawItems(plan.pieces);
  DrawBatch(plan);
  glDisable(GL_POLYGON_OFFSET_FILL);
  DrawMesh(scene.hillMesh);
}

void GluTessellator::Triangulate(const std::vector<Point>& contour, std::vector<Point>& points,
                                 std::vector<std::uint32_t>& triangles) {
  points = contour;
  triangles.clear();
  GLUtesselator* tess = gluNewTess();
  if (!tess) return;
  TessState state;
  state.points = &points;
  state.triangles = &triangles;
  using Fn = _GLUfuncptr;
  gluTessCallback(tess, GLU_TESS_BEGIN_DATA, reinterpret_cast<Fn>(&TessBegin));
  gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<Fn>(&TessVertex));
  gluTessCallback(tess, GLU_TESS_END_DATA, reinterpret_cast<Fn>(&TessEnd));
  gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<Fn>(&TessCombine));
  gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<Fn>(&TessEdgeFlag));
  gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_ODD);
  gluTessNormal(tess, 0, 0, 1);
  gluTessBeginPolygon(tess, &state);
  gluTessBeginContour(tess);
  for (std::uint32_t i = 0; i < contour.size(); ++i) {
    state.coords.push_back({contour[i].x, contour[i].y, 0});
    gluTessVertex(tess, state.coords.back().data(), AsData(i));
  }
  gluTessEndContour(tess);
  gluTessEndPolygon(tess);
  gluDeleteTess(tess);
}
