-- Tables of the genel file.
PRAGMA application_id = 1145130070;
