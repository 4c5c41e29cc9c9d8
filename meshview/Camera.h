#pragma once

#include <vector>

#include "Bounds.h"
#include "VectorMath.h"

// The six views along the mesh's axes: from ahead the camera stands on +z and looks at the
// nose, from the right on +x, from above on +y.
enum class AxisView { Ahead, Behind, Right, Left, Above, Below };

// A perspective camera that looks at a target point from a direction (turned about y, then
// raised towards y) and a distance. The mesh's axes are left-handed: x right, y up, z
// forward. In the camera's own coordinates x points right on the screen, y up and z along the
// line of sight; screen coordinates are pixels from the top left corner, y down.
class Camera {
public:
    Camera() { setViewport(1, 1); }
    // The mesh to be seen: views look at the centre of its box and orbits turn about it.
    void setScene(const Bounds& bounds);
    void setViewport(int width, int height);

    // Behind and above the mesh, looking at its centre, all its points in the picture.
    void startView(const std::vector<Vec3>& points);
    void lookAlong(AxisView view, const std::vector<Vec3>& points);
    // Dragging by pixels: the mesh turns with the mouse, or moves with it.
    void orbit(int dx, int dy);
    void pan(int dx, int dy);
    // Wheel turns in the system's units (120 a notch); forward comes closer.
    void zoom(int wheelDelta);

    int width() const { return viewWidth; }
    int height() const { return viewHeight; }
    Vec3 eye() const { return eyePoint; }
    Vec3 right() const { return axisRight; }
    Vec3 up() const { return axisUp; }
    Vec3 forward() const { return axisForward; }
    float focalLength() const { return focal; }
    // Nothing of the mesh lies nearer than this along the line of sight, unless the camera
    // has come inside its bounding sphere.
    float nearDepth() const;

    Vec3 toView(Vec3 world) const {
        Vec3 d = world - eyePoint;
        return {dot(d, axisRight), dot(d, axisUp), dot(d, axisForward)};
    }
    // Pixel position of a point in the camera's coordinates (in front of it: z > 0).
    float screenX(Vec3 view) const { return 0.5f * viewWidth + focal * view.x / view.z; }
    float screenY(Vec3 view) const { return 0.5f * viewHeight - focal * view.y / view.z; }

private:
    void setDirection(float yawDegrees, float pitchDegrees);
    void fit(const std::vector<Vec3>& points);
    void update();

    Bounds scene;
    Vec3 target;
    float yaw = 0, pitch = 0;  // degrees
    float distance = 1;
    int viewWidth = 1, viewHeight = 1;
    float focal = 1;
    Vec3 eyePoint, axisRight{1, 0, 0}, axisUp{0, 1, 0}, axisForward{0, 0, 1};
};
