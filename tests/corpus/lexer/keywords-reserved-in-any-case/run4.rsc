FUNC Loop() {
}
